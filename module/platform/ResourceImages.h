#pragma once

#include <QImage>

#include <string_view>

namespace Platform {

// The module's embedded picture called `name` (a card face "SA", a table picture
// "KepVestrano_CLOCK", ...), decoded once and kept premultiplied, the one format that
// draws fast. A null image when the module has no picture of that name.
const QImage &ResourceImage(std::string_view name);

} // namespace Platform
