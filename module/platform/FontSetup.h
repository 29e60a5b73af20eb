#pragma once

namespace Platform {

// Maps the font families the module names ("宋体", "楷体_GB2312") to the Debian
// fonts that carry the same glyphs. Safe to call more than once.
void InstallFontSubstitutions();

} // namespace Platform
