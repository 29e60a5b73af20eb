#pragma once

#include "ArtStyle.h"

#include <QImage>
#include <QString>

class ArtWriter;

// Draws the pictures of the card table: its buttons in every state, the seat marks, the
// clock and its digit strips, the banker and trusteeship marks, the speech bubbles, the score
// board, the joker-choice panel, the drag tip and the two table backgrounds.
class TablePainter final {
public:
    explicit TablePainter(ArtWriter &writer);

    void DrawAll();

private:
    void Buttons();
    // Normal, pressed and mouse-over pictures (and the disabled one with `disabled`).
    void ButtonSet(const QString &stem, int width, int height, QColor base, const QString &caption,
                   bool disabled = false);
    void SmallButtonSet(const QString &stem, const QString &top, const QString &bottom,
                        QColor base);
    void Marks();
    void Clock();
    void DigitStrip(const QString &name, int width, int height, QColor fill, QColor edge);
    void Boards();
    void Backgrounds();
    QImage Felt(QColor centre, QColor edge, unsigned seed) const;

    ArtWriter &m_writer;
};
