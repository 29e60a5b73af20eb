#pragma once
// Small functions on 8-bit strings shared by the hub and the panels. None of them
// fails: bad input gives an empty string or 0.

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

// The n-th field (0-based) of `text` split at `delimiter`: the text after the n-th
// delimiter up to the next one or the end; empty when there are fewer delimiters.
std::string FieldOf(std::string_view text, int n, char delimiter);
// The part before / after the first `delimiter`; empty when it does not occur.
std::string TextBefore(std::string_view text, std::string_view delimiter, bool ignoreCase);
std::string TextAfter(std::string_view text, std::string_view delimiter, bool ignoreCase);
// `text` without the bytes outside `keep`.
std::string KeepChars(std::string_view text, const std::bitset<256> &keep);
// Every byte from the blank on: strips control characters and zero padding.
const std::bitset<256> &PrintableChars();
// "+15", "0", "-20".
std::string SignedText(int64_t value);
// Non-overlapping occurrences of `part` in `text`; 0 for an empty part.
int CountOf(std::string_view text, std::string_view part);
// `count` characters drawn from `alphabet`; random bytes when it is empty.
std::string RandomText(int count, std::string_view alphabet);
