#include "common/CommonFunctions.h"

#include <algorithm>
#include <random>

namespace {

size_t Find(std::string_view text, std::string_view delimiter, bool ignoreCase) {
    if (delimiter.empty())
        return std::string_view::npos;
    if (!ignoreCase)
        return text.find(delimiter);
    const auto upper = [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    };
    const auto found = std::search(text.begin(), text.end(), delimiter.begin(), delimiter.end(),
                                   [&](char a, char b) { return upper(a) == upper(b); });
    return found == text.end() ? std::string_view::npos : static_cast<size_t>(found - text.begin());
}

} // namespace

std::string FieldOf(std::string_view text, int n, char delimiter) {
    for (int i = 0; i < n; ++i) {
        const size_t at = text.find(delimiter);
        if (at == std::string_view::npos)
            return {};
        text.remove_prefix(at + 1);
    }
    return std::string(text.substr(0, text.find(delimiter)));
}

std::string TextBefore(std::string_view text, std::string_view delimiter, bool ignoreCase) {
    const size_t at = Find(text, delimiter, ignoreCase);
    return at == std::string_view::npos ? std::string() : std::string(text.substr(0, at));
}

std::string TextAfter(std::string_view text, std::string_view delimiter, bool ignoreCase) {
    const size_t at = Find(text, delimiter, ignoreCase);
    return at == std::string_view::npos ? std::string()
                                        : std::string(text.substr(at + delimiter.size()));
}

std::string KeepChars(std::string_view text, const std::bitset<256> &keep) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (keep[static_cast<unsigned char>(c)])
            out += c;
    return out;
}

const std::bitset<256> &PrintableChars() {
    static const std::bitset<256> printable = [] {
        std::bitset<256> set;
        for (int c = 0x20; c < 256; ++c)
            set.set(static_cast<size_t>(c));
        return set;
    }();
    return printable;
}

std::string SignedText(int64_t value) {
    std::string text = std::to_string(value);
    if (value > 0)
        text.insert(text.begin(), '+');
    return text;
}

int CountOf(std::string_view text, std::string_view part) {
    if (part.empty())
        return 0;
    int count = 0;
    for (size_t at = text.find(part); at != std::string_view::npos;
         at = text.find(part, at + part.size()))
        ++count;
    return count;
}

std::string RandomText(int count, std::string_view alphabet) {
    static thread_local std::mt19937 random{std::random_device{}()};
    std::string out;
    for (int i = 0; i < count; ++i) {
        if (alphabet.empty())
            out += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        else
            out += alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(random)];
    }
    return out;
}
