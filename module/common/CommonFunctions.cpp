#include "common/CommonFunctions.h"

#include "common/Gbk.h"

#include <random>

namespace {

constexpr size_t kNotFound = std::string_view::npos;

size_t CharacterLength(std::string_view text, size_t at) {
    return Gbk::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// The first occurrence of `part` at or after `from` (a character boundary) that starts
// on a character boundary itself.
size_t FindPart(std::string_view text, std::string_view part, size_t from = 0) {
    if (part.empty())
        return kNotFound;
    for (size_t at = from; at + part.size() <= text.size(); at += CharacterLength(text, at)) {
        if (text.substr(at, part.size()) == part)
            return at;
    }
    return kNotFound;
}

// Upper-cases the ASCII letters among the one-byte characters; the second byte of a
// two-byte character may look like a letter and is kept. Lengths stay the same, so
// positions found in the result hold for the original.
std::string UpperCased(std::string_view text) {
    std::string result(text);
    for (size_t at = 0; at < result.size(); at += CharacterLength(result, at)) {
        if (result[at] >= 'a' && result[at] <= 'z')
            result[at] = static_cast<char>(result[at] - 'a' + 'A');
    }
    return result;
}

size_t FindDelimiter(std::string_view text, std::string_view delimiter, bool ignoreCase) {
    if (!ignoreCase)
        return FindPart(text, delimiter);
    return FindPart(UpperCased(text), UpperCased(delimiter));
}

} // namespace

std::string FieldOf(std::string_view text, int n, char delimiter) {
    const std::string_view separator(&delimiter, 1);
    for (int i = 0; i < n; ++i) {
        const size_t at = FindPart(text, separator);
        if (at == kNotFound)
            return {};
        text.remove_prefix(at + 1);
    }
    return std::string(text.substr(0, FindPart(text, separator)));
}

std::string TextBefore(std::string_view text, std::string_view delimiter, bool ignoreCase) {
    const size_t at = FindDelimiter(text, delimiter, ignoreCase);
    if (at == kNotFound)
        return {};
    return std::string(text.substr(0, at));
}

std::string TextAfter(std::string_view text, std::string_view delimiter, bool ignoreCase) {
    const size_t at = FindDelimiter(text, delimiter, ignoreCase);
    if (at == kNotFound)
        return {};
    return std::string(text.substr(at + delimiter.size()));
}

std::string KeepChars(std::string_view text, const std::bitset<256> &keep) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (keep.test(static_cast<unsigned char>(c)))
            result += c;
    }
    return result;
}

const std::bitset<256> &PrintableChars() {
    static const std::bitset<256> printable = [] {
        std::bitset<256> set;
        for (size_t c = ' '; c < set.size(); ++c)
            set.set(c);
        return set;
    }();
    return printable;
}

std::string SignedText(int64_t value) {
    return value > 0 ? "+" + std::to_string(value) : std::to_string(value);
}

int CountOf(std::string_view text, std::string_view part) {
    int count = 0;
    for (size_t at = FindPart(text, part); at != kNotFound;
         at = FindPart(text, part, at + part.size()))
        ++count;
    return count;
}

std::string RandomText(int count, std::string_view alphabet) {
    thread_local std::mt19937 engine{std::random_device{}()};
    std::string result;
    if (count <= 0)
        return result;
    result.reserve(static_cast<size_t>(count));
    if (alphabet.empty()) {
        std::uniform_int_distribution<int> byte(0, 255);
        for (int i = 0; i < count; ++i)
            result += static_cast<char>(byte(engine));
    } else {
        std::uniform_int_distribution<size_t> index(0, alphabet.size() - 1);
        for (int i = 0; i < count; ++i)
            result += alphabet[index(engine)];
    }
    return result;
}
