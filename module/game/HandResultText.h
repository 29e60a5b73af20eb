#pragma once
// The rows of the score board at the end of a hand, as GBK text of fixed byte widths:
// the server sends each player's change of the two score columns, the client scales,
// signs and lays them out.

#include <cstdint>
#include <string>
#include <string_view>

namespace HandResultText {

inline constexpr size_t NameBytes = 12;
inline constexpr size_t ResultBytes = 8;
inline constexpr size_t FirstValueBytes = 7;

// A hand is won when either column grew.
constexpr bool Won(int64_t value1, int64_t value2) {
    return value1 > 0 || value2 > 0;
}

// The name cell: the first 12 bytes, blank-padded to 12. A two-byte character cut by the
// 12th byte is left out whole and its place padded, so no half character reaches the
// screen.
std::string NameCell(std::string_view displayName);

// The result cell, "胜" or "负" padded to 8 bytes, then each column's sign and the
// magnitude of value times scale, the first padded to 7 bytes. The magnitude is exact
// for every pair of 64-bit values; the sign follows the value alone.
std::string LineCell(int64_t value1, int64_t value2, int64_t scale1, int64_t scale2);

// The sound of the own player's result.
std::string_view SoundOf(bool won);

} // namespace HandResultText
