#pragma once
// A card string of at most one play's length kept inline, so that lists of plays and
// interpretations need no allocation per entry.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class TCardString final {
public:
    // The longest play: nine triples.
    static constexpr std::size_t Capacity = 27;

    TCardString() = default;
    // Keeps at most Capacity bytes.
    explicit TCardString(std::string_view text) { Append(text); }
    // The first size bytes of a buffer of at least Capacity bytes, taken in one copy of fixed
    // length: lists of many plays are built without a loop or a library call per string.
    template <std::size_t N>
    requires(N >= Capacity) TCardString(const std::array<char, N> &buffer, std::size_t size) {
        Assign(buffer, size);
    }
    // The same in place.
    template <std::size_t N>
    requires(N >= Capacity) void Assign(const std::array<char, N> &buffer, std::size_t size) {
        std::memcpy(m_chars.data(), buffer.data(), Capacity);
        m_size = static_cast<std::uint8_t>(std::min(size, Capacity));
    }

    std::string_view View() const { return {m_chars.data(), m_size}; }
    std::string Str() const { return std::string(View()); }
    std::size_t Size() const { return m_size; }
    bool Empty() const { return m_size == 0; }

    void Append(char c) {
        if (m_size < Capacity)
            m_chars[m_size++] = c;
    }
    // The std::string spellings, for code written for both.
    void push_back(char c) { Append(c); }
    void append(std::size_t count, char c) { Append(count, c); }

    // Strings here are a few bytes long: plain loops beat calls into the C library. The
    // size is kept in a local, since every character written could alias it.
    void Append(std::string_view text) {
        const std::size_t size = m_size;
        const std::size_t count = std::min(text.size(), Capacity - size);
        for (std::size_t i = 0; i < count; ++i)
            m_chars[size + i] = text[i];
        m_size = static_cast<std::uint8_t>(size + count);
    }
    void Append(std::size_t count, char c) {
        const std::size_t size = m_size;
        count = std::min(count, Capacity - size);
        for (std::size_t i = 0; i < count; ++i)
            m_chars[size + i] = c;
        m_size = static_cast<std::uint8_t>(size + count);
    }

    bool operator==(const TCardString &other) const { return View() == other.View(); }
    bool operator==(std::string_view other) const { return View() == other; }

private:
    std::array<char, Capacity> m_chars{};
    std::uint8_t m_size = 0;
};
