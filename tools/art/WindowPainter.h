#pragma once

#include "ArtStyle.h"

#include <QImage>
#include <QString>

#include <functional>

class ArtWriter;

// Draws the main window's pictures: its background with the outline keyed in magenta, the
// title-strip buttons, the right column, the panel skins and the panels' image lists.
class WindowPainter final {
public:
    explicit WindowPainter(ArtWriter &writer);

    void DrawAll();

private:
    using Icon = std::function<void(QPainter &, const QRectF &, QColor)>;

    void Background();
    void TitleButtons();
    void TitleSet(const QString &stem, int width, int height, const QString &caption,
                  const Icon &icon);
    void Lists();
    void Skins();

    ArtWriter &m_writer;
};
