#include "platform/Guid.h"

#include <cstdio>

namespace Platform {

std::string GuidToText(const GUID &g) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  unsigned(g.Data1), unsigned(g.Data2), unsigned(g.Data3), g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buffer;
}

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads `digits` hexadecimal digits at `pos`; nothing when one is not a digit.
std::optional<uint64_t> HexAt(std::string_view text, size_t pos, size_t digits) {
    uint64_t value = 0;
    for (size_t i = 0; i < digits; ++i) {
        const int v = HexValue(text[pos + i]);
        if (v < 0)
            return std::nullopt;
        value = value * 16 + unsigned(v);
    }
    return value;
}

} // namespace

std::optional<GUID> GuidFromText(std::string_view text) {
    // {8-4-4-4-12}: 38 characters with the braces.
    if (text.size() != 38 || text[0] != '{' || text[37] != '}' || text[9] != '-' ||
        text[14] != '-' || text[19] != '-' || text[24] != '-')
        return std::nullopt;
    GUID g;
    const auto d1 = HexAt(text, 1, 8);
    const auto d2 = HexAt(text, 10, 4);
    const auto d3 = HexAt(text, 15, 4);
    if (!d1 || !d2 || !d3)
        return std::nullopt;
    g.Data1 = uint32_t(*d1);
    g.Data2 = uint16_t(*d2);
    g.Data3 = uint16_t(*d3);
    static constexpr size_t kBytePositions[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (size_t i = 0; i < 8; ++i) {
        const auto b = HexAt(text, kBytePositions[i], 2);
        if (!b)
            return std::nullopt;
        g.Data4[i] = uint8_t(*b);
    }
    return g;
}

} // namespace Platform
