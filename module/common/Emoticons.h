#pragma once
// The chat's emoticons: code "/NNN" for entry NNN, and a name per entry that players may
// type instead of the code. One table for the chat panel and the speech bubbles; the main
// window renames a few entries for this game, so the names are writable.

#include <array>
#include <string>
#include <string_view>

namespace Emoticons {

inline constexpr int Count = 90;

// GBK names in code order.
std::array<std::string, Count> &Names();

// "/000" .. "/089".
std::string Code(int index);

// Every name, matched ignoring the case of Latin letters and only at character
// boundaries (a two-byte character's trail byte never starts a match), replaced by its
// code, entry 0 first.
std::string ReplaceNames(std::string_view text);

} // namespace Emoticons
