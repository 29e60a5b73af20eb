#pragma once
// The joker search on a selection already split into its core (the cards that are not
// wild) and the number of wild cards; shared by the public search, the server's check of
// interpretations and the enumeration of plays (library-internal).

#include "cards/PlayShape.h"
#include "cards/TCardString.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace VestranoFunc::Detail {

struct Interpretation {
    TCardString Faces;
    TPlayType Type = ptInvalid;
};

struct InterpretationList {
    // No selection size builds more than three candidates.
    std::array<Interpretation, 4> Items;
    int Count = 0;
    // The type of the last candidate built, listed or not.
    TPlayType Last = ptInvalid;
};

// previous is nullptr for a free lead. core holds card codes only and is not empty.
void Interpret(std::string_view core, int jokers, const PlayShape *previous,
               InterpretationList &list);

// Counts of the rank letters "A".."M" among the ranks of a string; other bytes (jokers,
// non-cards) never match a letter of a sequence.
using LetterCounts = std::array<int, LetterCount>;
LetterCounts CountLetters(std::string_view cards);

// The run builders: the 1-based start of the first window of RunOrder from the top whose
// ranks, each written `times` times, lack exactly `jokers` of the counted letters, or 0.
int FirstFittingWindow(int length, int times, const LetterCounts &have, int jokers);

// The rank (0 ace .. 12 king) at a 1-based position of RunOrder.
constexpr int RankAtPosition(int position) {
    return position == 1 || position == RunPositions ? 0 : RunPositions - position;
}

// Appends what that window lacks, in window order: removing the letters the core has from
// the wanted string deletes, per letter, its first occurrences.
template <class Out>
void AppendMissing(int start, int length, int times, const LetterCounts &have, Out &out) {
    LetterCounts skip = have;
    const int end = start + length - 1 < RunPositions ? start + length - 1 : RunPositions;
    for (int position = start; position <= end; ++position) {
        const int rank = RankAtPosition(position);
        const int used = skip[rank] < times ? skip[rank] : times;
        skip[rank] -= used;
        out.append(static_cast<std::size_t>(times - used), static_cast<char>('A' + rank));
    }
}

// The letters that complete a core (its letters counted) to triples with pairs against
// previous (nullptr: free lead); empty when nothing fits.
TCardString TriplesWithPairsLetters(const LetterCounts &core, const PlayShape *previous,
                                    int jokers);
// The same letters as bytes of a word, the first lowest: there are at most three.
struct LetterWord {
    std::uint64_t Word = 0;
    int Count = 0;
};
LetterWord TriplesWithPairsWord(const LetterCounts &core, const PlayShape *previous, int jokers);
// TriplesWithPairsWord(core, nullptr, jokers) for a core of at most three of each rank, its
// counts given four bits a rank, the ace's lowest.
LetterWord LeadingTriplesWithPairsWord(std::uint64_t counts, int jokers);

} // namespace VestranoFunc::Detail
