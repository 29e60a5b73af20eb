#pragma once
// GBK (code page 936) text. Inside the module every protocol and display text is a
// GBK byte string; these helpers convert at the edges and measure in bytes without
// ever cutting a two-byte character in half.

#include <cstddef>
#include <string>
#include <string_view>

namespace Gbk {

// Conversions. Characters that have no GBK form become "?"; malformed GBK input
// becomes U+FFFD per bad byte.
std::string FromUtf8(std::string_view utf8);
std::string ToUtf8(std::string_view gbk);
std::string FromUtf16(std::u16string_view utf16);
std::u16string ToUtf16(std::string_view gbk);

// A byte that starts a two-byte character (0x81..0xFE).
constexpr bool IsLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

// The number of bytes of the longest prefix of `text` that is at most `maxBytes`
// long and does not end inside a two-byte character.
size_t SafePrefixLength(std::string_view text, size_t maxBytes);

// That prefix itself: a half character at the cut is dropped, never shown.
std::string Left(std::string_view text, size_t maxBytes);

// printf's "%-Ns": pads with blanks on the right to `width` bytes; longer text is kept.
std::string PadRight(std::string_view text, size_t width);

// The number of characters (one- or two-byte) in `text`.
size_t CharacterCount(std::string_view text);

// The first `count` characters of `text`.
std::string LeftCharacters(std::string_view text, size_t count);

} // namespace Gbk

// "进入房间"_gbk: a UTF-8 source literal as GBK bytes.
std::string operator""_gbk(const char *utf8, size_t size);
