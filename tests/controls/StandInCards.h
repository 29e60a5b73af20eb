#pragma once
// Stand-in card pictures for tests and benchmarks: every name gets a 71 x 96 picture of
// one colour of its own, with the one-pixel corners in a key colour (an opaque picture,
// like the host's bitmaps) or transparent (like a PNG).

#include "controls/TCardGroupGraphic.h"

#include <QImage>

#include <string>
#include <string_view>

namespace StandInCards {

inline constexpr int Width = 71;
inline constexpr int Height = 96;
inline constexpr QRgb Key = 0xFFFF00FF;

// A colour per picture name, never the key colour and never grey.
inline QRgb ColorOf(std::string_view name) {
    unsigned hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return qRgb(int(hash & 0x7F) + 64, int((hash >> 8) & 0x3F) + 128, int((hash >> 16) & 0x7F));
}

inline QImage Picture(std::string_view name, bool transparentCorners) {
    QImage picture(Width, Height, QImage::Format_ARGB32_Premultiplied);
    picture.fill(ColorOf(name));
    const QRgb corner = transparentCorners ? 0 : Key;
    for (const QPoint point :
         {QPoint(0, 0), QPoint(Width - 1, 0), QPoint(0, Height - 1), QPoint(Width - 1, Height - 1)})
        picture.setPixel(point, corner);
    return picture;
}

// Makes every hand control draw stand-ins.
inline void Install(bool transparentCorners = false) {
    TCardGroupGraphic::SetImageLoader(
        [transparentCorners](std::string_view name) { return Picture(name, transparentCorners); });
}

} // namespace StandInCards
