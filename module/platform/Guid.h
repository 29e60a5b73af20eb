#pragma once

#include "platform/ComBase.h"

#include <optional>
#include <string>
#include <string_view>

namespace Platform {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hexadecimal.
std::string GuidToText(const GUID &guid);

// Accepts the braced form in either case; anything else gives nothing.
std::optional<GUID> GuidFromText(std::string_view text);

} // namespace Platform
