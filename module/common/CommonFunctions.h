#pragma once
// Small functions on 8-bit (GBK) strings shared by the hub, the panels and the game
// client. None of them fails: bad input gives an empty string or 0.
//
// Every search moves over whole characters, so a delimiter never matches the second
// byte of a two-byte GBK character ("丂" is 0x81 0x40, and 0x40 is "@").

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

// The n-th (0-based) field of `text` split at `delimiter`. Field 0 is the part before
// the first delimiter (empty when the text starts with it); past the last field the
// result is empty.
std::string FieldOf(std::string_view text, int n, char delimiter);

// The part of `text` before the first `delimiter`; empty when the delimiter does not
// occur (not the whole text). With `ignoreCase` ASCII letters compare upper-cased.
std::string TextBefore(std::string_view text, std::string_view delimiter, bool ignoreCase);

// The part of `text` after the first `delimiter`; empty when the delimiter does not occur.
std::string TextAfter(std::string_view text, std::string_view delimiter, bool ignoreCase);

// `text` without the bytes that are not in `keep`.
std::string KeepChars(std::string_view text, const std::bitset<256> &keep);

// Every byte from the blank (0x20) on: keeping these strips control characters and the
// zero bytes that fill fixed-size name fields.
const std::bitset<256> &PrintableChars();

// "+15", "0", "-20".
std::string SignedText(int64_t value);

// How many times `part` occurs in `text`, counted left to right without overlaps
// ("aaaa" holds "aa" twice); 0 for an empty `part`.
int CountOf(std::string_view text, std::string_view part);

// `count` bytes drawn at random from `alphabet`, or any bytes 0..255 when it is empty.
std::string RandomText(int count, std::string_view alphabet);
