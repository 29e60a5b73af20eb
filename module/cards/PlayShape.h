#pragma once
// What the rules need to know of a set of cards, taken from its rank counts alone: suits
// and the order of the cards never change a play's type or strength (library-internal).

#include "cards/VestranoFunc.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace VestranoFunc::Detail {

inline constexpr int RankCount = 15;
inline constexpr int LetterCount = 13;
inline constexpr int AceRank = 0;
inline constexpr int TwoRank = 1;
inline constexpr int KingRank = 12;
inline constexpr int SmallJokerRank = 13;
inline constexpr int BigJokerRank = 14;
inline constexpr std::uint16_t JokerRanks = (1u << SmallJokerRank) | (1u << BigJokerRank);
// More cards than this are never one play.
inline constexpr std::size_t MaxPlaySize = 27;

struct RankCounts {
    std::array<int, RankCount> Count{};
    int Total = 0;

    void Add(int rank, int times = 1) {
        Count[rank] += times;
        Total += times;
    }
};

// Counts the ranks of cards; false when a byte is not a card code.
bool CountRanks(std::string_view cards, RankCounts &counts);

struct PlayShape {
    TPlayType Type = ptInvalid;
    int Size = 0;
    // The rank letter that decides between two plays of one type and size.
    char Key = 0;
    bool HasTwo = false;
};

PlayShape ShapeOf(const RankCounts &counts);
// Invalid for the empty string, for too many cards and for any byte that is not a card.
PlayShape ShapeOf(std::string_view cards);
// Positive when play beats previous; both must be valid shapes of non-empty strings.
int Compare(const PlayShape &play, const PlayShape &previous);
// True when the ranks in mask (bit = rank) are consecutive in sequence order: ace high
// unless a 2 is among them, then ace low. Jokers never are.
bool IsRun(std::uint16_t mask);
// The strongest rank letter of a run of these ranks, as the groups are ordered.
char RunTop(std::uint16_t mask);
inline constexpr int RunPositions = 14;

// The ranks of `length` consecutive positions of RunOrder from the 1-based `start`.
constexpr std::uint16_t ComputeRunWindow(int start, int length) {
    std::uint16_t mask = 0;
    for (int position = start; position < start + length && position <= RunPositions; ++position) {
        const int rank = position == 1 || position == RunPositions ? 0 : RunPositions - position;
        mask = static_cast<std::uint16_t>(mask | 1u << rank);
    }
    return mask;
}

inline constexpr auto RunWindows = [] {
    std::array<std::array<std::uint16_t, RunPositions + 1>, RunPositions + 1> table{};
    for (int start = 1; start <= RunPositions; ++start) {
        for (int length = 0; length <= RunPositions; ++length)
            table[start][length] = ComputeRunWindow(start, length);
    }
    return table;
}();

// Same as ComputeRunWindow for start 1..14 and length 0..14, from the table.
inline std::uint16_t RunWindow(int start, int length) {
    return RunWindows[start][length];
}

} // namespace VestranoFunc::Detail
