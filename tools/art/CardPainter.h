#pragma once

#include <QColor>
#include <QImage>

#include <array>

class ArtWriter;

// Draws the 71 x 96 cards: the 52 faces over a 16-colour palette, the two jokers and the
// back in full colour. The top-left corner carries rank and suit large enough to read in a
// hand whose cards overlap 15 pixels apart.
class CardPainter final {
public:
    explicit CardPainter(ArtWriter &writer);

    void DrawAll();

    // The faces' palette; entry 0 is the transparent corner.
    static const std::array<QColor, 16> &Palette();

private:
    QImage Face(int suit, int rank) const;
    QImage Joker(bool big) const;
    QImage Back() const;
    static void Blank(QImage &card);
    static void CutCorners(QImage &card);

    ArtWriter &m_writer;
};
