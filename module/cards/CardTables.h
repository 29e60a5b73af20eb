#pragma once
// Byte-indexed lookup tables behind the card functions (internal to the library). Every
// table has 256 entries, so any byte of any string is a valid index.

#include "cards/VestranoFunc.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace VestranoFunc::Tables {

// Ranks as small integers: 0 ace, 1 two .. 12 king, 13 small joker, 14 big joker.
inline constexpr int RankCount = 15;
inline constexpr std::uint8_t NoRank = 0xFF;

using ByteTable = std::array<std::uint8_t, 256>;

// 1-based position of each byte in order, 0 when absent (first occurrence counts).
constexpr ByteTable PositionTable(std::string_view order) {
    ByteTable table{};
    for (std::size_t i = order.size(); i-- > 0;)
        table[static_cast<unsigned char>(order[i])] = static_cast<std::uint8_t>(i + 1);
    return table;
}

constexpr char RankLetterOfByte(unsigned char c) {
    if (c >= 'N' && c <= 'Z')
        return static_cast<char>(c - 13);
    if (c >= 'a' && c <= 'm')
        return static_cast<char>(c - 'a' + 'A');
    if (c >= 'n' && c <= 'z')
        return static_cast<char>(c - 45);
    return static_cast<char>(c);
}

constexpr std::array<char, 256> MakeRankLetters() {
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = RankLetterOfByte(static_cast<unsigned char>(c));
    return table;
}

constexpr ByteTable MakeCardIndexes() {
    ByteTable table{};
    table.fill(NoRank);
    for (std::size_t i = 0; i < CardChars.size(); ++i)
        table[static_cast<unsigned char>(CardChars[i])] = static_cast<std::uint8_t>(i);
    return table;
}

// Rank of a card code (NoRank for any other byte).
constexpr ByteTable MakeCardRanks() {
    ByteTable table{};
    table.fill(NoRank);
    for (std::size_t i = 0; i < CardChars.size(); ++i)
        table[static_cast<unsigned char>(CardChars[i])] =
            static_cast<std::uint8_t>(i < 52 ? i % 13 : 13 + (i - 52));
    return table;
}

inline constexpr std::array<char, 256> RankLetters = MakeRankLetters();
inline constexpr ByteTable CardIndexes = MakeCardIndexes();
inline constexpr ByteTable CardRanks = MakeCardRanks();
inline constexpr ByteTable CardOrderPositions = PositionTable(CardOrder);
inline constexpr ByteTable RankOrderPositions = PositionTable(RankOrder);
inline constexpr ByteTable RunOrderPositions = PositionTable(RunOrder);
inline constexpr ByteTable LowAceOrderPositions = PositionTable(LowAceOrder);

inline constexpr std::array<char, RankCount> RankLetterOfRank = {
    'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', '0', '1'};

inline std::uint8_t At(const ByteTable &table, char c) {
    return table[static_cast<unsigned char>(c)];
}

} // namespace VestranoFunc::Tables
