#pragma once
// The edge between the module's GBK byte strings and Qt's text and fonts. Texts stay GBK
// everywhere inside the module and become QStrings only here, where they are drawn.

#include <QFont>
#include <QString>

#include <string>
#include <string_view>

namespace QtText {

QString FromGbk(std::string_view gbk);
std::string ToGbk(const QString &text);

// A font of `points` points as the host draws it on a 96 dpi screen. Fixing the pixel
// size keeps text the same size on every paint device, whatever its resolution.
QFont FontOfPointSize(const QString &family, int points);

// A font given by the host's signed height: negative is the character height in pixels,
// positive the cell height (ascent plus descent) in pixels.
QFont FontOfHeight(const QString &family, int height);

} // namespace QtText
