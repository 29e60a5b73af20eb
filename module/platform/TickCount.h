#pragma once

#include <cstdint>

namespace Platform {

// Milliseconds since an arbitrary start, wrapping at 2^32 like the host's tick count.
uint32_t GetTickCount();

} // namespace Platform
