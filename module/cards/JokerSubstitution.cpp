// Joker substitution: the plays a selection holding jokers can stand for.

#include "cards/CardTables.h"
#include "cards/JokerSearch.h"
#include "cards/VestranoFunc.h"

#include <algorithm>
#include <bit>

namespace VestranoFunc {

using namespace Tables;
using Detail::PlayShape;
using Detail::RankCounts;

namespace {

using Detail::LetterCount;
constexpr int RunLength = Detail::RunPositions;
constexpr int MaxJokersInTriplesWithPairs = 3;

using Detail::LetterCounts;
using Detail::RankAtPosition;

std::string Completed(std::string_view core, int length, int times, int jokers) {
    const LetterCounts have = Detail::CountLetters(core);
    const int start = Detail::FirstFittingWindow(length, times, have, jokers);
    if (start == 0)
        return {};
    std::string filled(core);
    Detail::AppendMissing(start, length, times, have, filled);
    return filled;
}

// ---- Triples with pairs ------------------------------------------------------------------

// The ranks the search starts from: the core's letters from the king down, at most three
// of each, its aces last (with a fourth to sixth ace also standing before the king).
struct SearchBase {
    std::array<int, LetterCount> Counts{};
    int Total = 0;
    int Start = 0;
    int End = 0;
};

bool MakeSearchBase(const LetterCounts &have, SearchBase &base) {
    const int aces = have[0];
    const int topAces = std::clamp(aces - 3, 0, 3);
    const int bottomAces = std::min(aces, 3);
    int highest = -1; // highest non-ace rank present
    int lowest = -1;
    for (int rank = 1; rank < LetterCount; ++rank) {
        base.Counts[rank] = std::min(have[rank], 3);
        base.Total += base.Counts[rank];
        if (base.Counts[rank] > 0) {
            highest = rank;
            lowest = lowest < 0 ? rank : lowest;
        }
    }
    base.Counts[0] = topAces + bottomAces;
    base.Total += base.Counts[0];
    if (base.Total == 0)
        return false;
    const auto positionOf = [](int rank) {
        return rank == 0 ? 1 : RunLength - rank;
    };
    const int top = topAces > 0 || highest < 0 ? 1 : positionOf(highest);
    const int bottom = bottomAces > 0 ? 1 : positionOf(lowest);
    base.Start = std::max(top - 1, 1);
    base.End = std::min(bottom + 1, RunLength);
    if (base.End <= 2)
        base.End = RunLength;
    return true;
}

// The search following a play: which tests are accepted depends on the play to beat.
class TriplesWithPairsSearch {
public:
    TriplesWithPairsSearch(const SearchBase &base, const PlayShape *previous, int jokers)
        : m_base(base)
        , m_previous(previous)
        , m_jokers(jokers) {}

    // The substituted positions of the last accepted test in loop order, if any.
    TCardString Run() {
        if (!ChooseCountRule())
            return {};
        // Only ranks that may take a substituted letter are searched over. The loops run
        // over positions, so the last accepted test has the most letters at the lowest
        // position, then at the next lowest and so on: searching the positions from the
        // bottom, most letters first, the first accepted test is that one.
        for (int position = RunLength; position >= 1; --position) {
            const int rank = RankAtPosition(position);
            if (rank == 0 && position != LatestPosition(0))
                continue;
            m_available[rank] = IsAvailable(rank);
            m_minimum[rank] = MinimumAdded(rank);
            if (m_minimum[rank] < 0)
                return {};
            if (m_available[rank] && TakesALetter(rank))
                m_choices[m_choiceCount++] = rank;
            else if (m_minimum[rank] > 0)
                return {};
        }
        m_suffixMinimum[m_choiceCount] = 0;
        for (int i = m_choiceCount; i-- > 0;)
            m_suffixMinimum[i] = m_suffixMinimum[i + 1] + m_minimum[m_choices[i]];
        if (m_suffixMinimum[0] > m_jokers)
            return {};
        Visit(0, m_jokers);
        return m_found;
    }

private:
    // A position of each rank inside the search window, the latest one for the ace.
    int LatestPosition(int rank) const {
        if (rank != 0)
            return RunLength - rank;
        return m_base.End == RunLength ? RunLength : 1;
    }

    bool IsAvailable(int rank) const {
        if (rank == 0)
            return m_base.Start == 1 || m_base.End == RunLength;
        const int position = RunLength - rank;
        return position >= m_base.Start && position <= m_base.End;
    }

    // Which final counts of a rank could still make an accepted test: a test is only
    // accepted as a play of the type it must have, and every type fixes its group sizes.
    bool ChooseCountRule() {
        const int size = m_base.Total + m_jokers;
        int distinct = 0;
        for (const int count : m_base.Counts)
            distinct += count > 0;
        const auto allow = [this](int count) {
            m_allowed |= 1u << count;
        };
        const auto allowType = [&](TPlayType type) {
            switch (type) {
            case ptSingle:
            case ptStraight:
                allow(1);
                break;
            case ptPair:
            case ptPairRun:
                allow(2);
                break;
            case ptTriple:
            case ptTripleRun:
                allow(3);
                break;
            case ptTripleWithPair:
            case ptTriplesWithPairs:
                allow(2);
                allow(3);
                break;
            case ptBomb:
                for (int count = 4; count <= 12; ++count)
                    allow(count);
                break;
            default:
                break;
            }
        };
        const TPlayType type = m_previous->Type;
        const bool oneGroup = type == ptSingle || type == ptPair || type == ptTriple;
        if (type != ptInvalid && type != ptBomb && type != ptRocket &&
            !(oneGroup && distinct > 1) && size == m_previous->Size)
            allowType(type);
        // A bomb beats every other play but the rocket, and a shorter or weaker bomb.
        if (type != ptRocket && distinct <= 1)
            allowType(ptBomb);
        return m_allowed != 0;
    }

    bool Allowed(int count) const { return count < 32 && (m_allowed >> count & 1u); }

    // The fewest letters of this rank a test can add, or -1 when none will do.
    int MinimumAdded(int rank) const {
        const int count = m_base.Counts[rank];
        const int most = m_available[rank] ? m_jokers : 0;
        for (int added = 0; added <= most; ++added) {
            if ((count == 0 && added == 0) || Allowed(count + added))
                return added;
        }
        return -1;
    }

    bool TakesALetter(int rank) const {
        for (int added = 1; added <= m_jokers; ++added) {
            if (Allowed(m_base.Counts[rank] + added))
                return true;
        }
        return false;
    }

    void Visit(int choice, int remaining) {
        // With every letter placed, the ranks left take none, which they allow exactly
        // when they need none.
        if (remaining == 0 || choice == m_choiceCount) {
            if (remaining == 0 && m_suffixMinimum[choice] == 0)
                Evaluate();
            return;
        }
        const int rank = m_choices[choice];
        const int count = m_base.Counts[rank];
        const int most = remaining - m_suffixMinimum[choice + 1];
        for (int added = most; added >= m_minimum[rank] && m_found.Empty(); --added) {
            if (!((count == 0 && added == 0) || Allowed(count + added)))
                continue;
            m_added[rank] = added;
            Visit(choice + 1, remaining - added);
        }
        m_added[rank] = 0;
    }

    void Evaluate() {
        RankCounts counts;
        for (int rank = 0; rank < LetterCount; ++rank)
            counts.Add(rank, m_base.Counts[rank] + m_added[rank]);
        if (Detail::Compare(Detail::ShapeOf(counts), *m_previous) <= 0)
            return;
        for (int i = 0; i < m_choiceCount; ++i) {
            const int rank = m_choices[i];
            m_found.Append(static_cast<std::size_t>(m_added[rank]),
                           RunOrder[LatestPosition(rank) - 1]);
        }
    }

    const SearchBase &m_base;
    const PlayShape *m_previous;
    int m_jokers;
    unsigned m_allowed = 0;
    std::array<bool, LetterCount> m_available{};
    std::array<int, LetterCount> m_minimum{};
    std::array<int, LetterCount> m_choices{};
    int m_choiceCount = 0;
    std::array<int, LetterCount + 1> m_suffixMinimum{};
    std::array<int, LetterCount> m_added{};
    TCardString m_found;
};

// Where the lead's search keeps the digit of a position of RunOrder: later positions weigh
// more.
constexpr int PositionDigit(int position) {
    return 2 * (position - 1);
}

// Counts of at most three given four bits a rank made two bits a rank.
constexpr std::uint32_t TwoBitsARank(std::uint64_t x) {
    x = (x | x >> 2) & 0x0F0F0F0F0F0F0F0Full;
    x = (x | x >> 4) & 0x00FF00FF00FF00FFull;
    x = (x | x >> 8) & 0x0000FFFF0000FFFFull;
    return static_cast<std::uint32_t>(x | x >> 16);
}

// The sixteen two-bit digits of x in the reverse order.
constexpr std::uint32_t ReversedDigits(std::uint32_t x) {
    x = (x >> 2 & 0x33333333u) | (x & 0x33333333u) << 2;
    x = (x >> 4 & 0x0F0F0F0Fu) | (x & 0x0F0F0F0Fu) << 4;
    x = (x >> 8 & 0x00FF00FFu) | (x & 0x00FF00FFu) << 8;
    return x >> 16 | x << 16;
}

// The sum of the two-bit digits of x.
constexpr int DigitSum(std::uint32_t x) {
    x = (x & 0x33333333u) + (x >> 2 & 0x33333333u);
    x = (x & 0x0F0F0F0Fu) + (x >> 4 & 0x0F0F0F0Fu);
    return static_cast<int>(x * 0x01010101u >> 24);
}

} // namespace

namespace Detail {

// Leading, the search accepts exactly the tests that are triples with pairs: size / 5
// triples forming a run and as many pairs forming another. The test it accepts first has
// the most letters at the lowest position, then at the next one up and so on; so rather
// than searched, the pairs of runs the letters can complete are compared in that order.
// Ranks are kept by their position in RunOrder, the ace at the one it takes in the search
// window, as digits of base four (PositionDigit): counts and letters, which order the tests
// as numbers, and sets of positions.
LetterWord LeadingTriplesWithPairsWord(std::uint64_t counts, int jokers) {
    if (jokers < 1 || jokers > MaxJokersInTriplesWithPairs)
        return {};
    const std::uint32_t byRank = TwoBitsARank(counts);
    const int total = DigitSum(byRank);
    const int size = total + jokers;
    if (total == 0 || size % 5 != 0 || size < 10 || size > 25)
        return {};
    const int runLength = size / 5;
    // The ranks but the ace by position: the two at 13 up to the king at 2.
    const std::uint32_t digits = ReversedDigits(byRank >> 2) >> 6;
    const std::uint32_t aces = byRank & 3u;
    // A set of positions holds the low bit of each one's digit.
    constexpr std::uint32_t LowBits = 0x5555555u;
    const auto positionOf = [](std::uint32_t bit) {
        return bit / 2 + 1;
    };
    // The search window, as MakeSearchBase finds it.
    const std::uint32_t others = (digits | digits >> 1) & LowBits;
    const int top = others == 0 ? 1 : positionOf(std::countr_zero(others));
    const int bottom = aces > 0 ? 1 : positionOf(std::bit_width(others) - 1);
    const int start = std::max(top - 1, 1);
    int end = std::min(bottom + 1, RunLength);
    if (end <= 2)
        end = RunLength;
    if (start > end)
        return {};
    const int acePosition = end == RunLength ? RunLength : 1;
    const std::uint32_t ace = 1u << PositionDigit(acePosition);
    const std::uint32_t otherAce = 1u << PositionDigit(RunLength + 1 - acePosition);
    const std::uint32_t byPosition = digits | aces * ace;
    const std::uint32_t low = byPosition & LowBits;
    const std::uint32_t high = byPosition >> 1 & LowBits;
    const std::uint32_t singles = low & ~high;
    const std::uint32_t pairs = high & ~low;
    const std::uint32_t triples = low & high;
    const std::uint32_t held = low | high;
    const auto positions = [&](int first, int last) {
        return LowBits & ((1u << PositionDigit(last + 1)) - 1) &
               ~((1u << PositionDigit(first)) - 1) & ~otherAce;
    };
    // Letters go only to ranks inside the search window; a single must take one. A rank
    // takes letters when short of three; an empty one needs two to hold a pair.
    const std::uint32_t available = positions(start, end);
    if (singles & ~available)
        return {};
    const std::uint32_t takes =
        available & ~triples & (jokers >= 2 ? positions(1, RunLength) : held);
    // What the ranks taking letters lack of a triple and of a pair (they hold at most two).
    const std::uint32_t takingDigits = takes * 3;
    const std::uint32_t takenCounts = byPosition & takingDigits;
    const std::uint32_t lackingThree = (0xFFFFFFFu & takingDigits) - takenCounts;
    const std::uint32_t lackingTwo = (0xAAAAAAAu & takingDigits) - takenCounts;
    // The positions of a window: one end of RunOrder stands for the other when the ace
    // stands there.
    const int lastStart = RunLength + 1 - runLength;
    const std::uint32_t windowAtOne = LowBits & ((1u << PositionDigit(runLength + 1)) - 1);
    const auto window = [&](int from) {
        std::uint32_t set = windowAtOne << PositionDigit(from);
        if (set & otherAce)
            set = (set & ~otherAce) | ace;
        return set;
    };
    // The starts (bit = start) of the windows holding all these positions.
    const auto startsHolding = [&](std::uint32_t set) {
        unsigned starts = (2u << lastStart) - 2;
        if (set & ace)
            starts &= 2u | 1u << lastStart;
        const std::uint32_t rest = set & ~ace;
        if (rest != 0) {
            const int first = positionOf(std::countr_zero(rest));
            const int last = positionOf(std::bit_width(rest) - 1);
            const int lowest = std::max(last - runLength + 1, 1);
            if (lowest > first)
                return 0u;
            starts &= ((2u << first) - 1) & ~((1u << lowest) - 1);
        }
        return starts;
    };
    constexpr std::uint32_t Found = 1u << PositionDigit(RunLength + 1);
    const std::uint32_t mayHoldThree = triples | takes;
    const std::uint32_t mayHoldTwo = pairs | takes;
    // A test's key: its letters, above a bit that marks a test found.
    std::uint32_t bestKey = 0;
    for (unsigned tripleStarts = startsHolding(triples); tripleStarts != 0;
         tripleStarts &= tripleStarts - 1) {
        const std::uint32_t tripleRun = window(std::countr_zero(tripleStarts));
        if (tripleRun & ~mayHoldThree)
            continue;
        const std::uint32_t tripleLetters = lackingThree & tripleRun * 3;
        // The pairs hold every rank the triples leave.
        for (unsigned pairStarts = startsHolding(held & ~tripleRun); pairStarts != 0;
             pairStarts &= pairStarts - 1) {
            const std::uint32_t pairRun = window(std::countr_zero(pairStarts));
            if ((pairRun & tripleRun) || (pairRun & ~mayHoldTwo))
                continue;
            bestKey = std::max(bestKey, Found | tripleLetters | (lackingTwo & pairRun * 3));
        }
    }
    // The best key spells the letters: its digits, from the highest, are the ranks in order.
    LetterWord letters;
    for (std::uint32_t left = (bestKey | bestKey >> 1) & LowBits; left != 0;) {
        const int bit = std::bit_width(left) - 1;
        left &= ~(1u << bit);
        const auto letter = static_cast<unsigned char>('A' + RankAtPosition(positionOf(bit)));
        for (unsigned added = bestKey >> bit & 3u; added > 0; --added)
            letters.Word |= static_cast<std::uint64_t>(letter) << (8 * letters.Count++);
    }
    return letters;
}

LetterCounts CountLetters(std::string_view cards) {
    LetterCounts counts{};
    for (const char c : cards) {
        const char letter = RankOf(c);
        if (letter >= 'A' && letter <= 'M')
            ++counts[letter - 'A'];
    }
    return counts;
}

int FirstFittingWindow(int length, int times, const LetterCounts &have, int jokers) {
    const int span = std::max(length, 0);
    const int perRank = std::max(times, 0);
    for (int start = 1; start <= RunLength + 1 - span; ++start) {
        const int end = std::min(start + span - 1, RunLength);
        int unmatched = 0;
        LetterCounts left = have;
        for (int position = start; position <= end; ++position) {
            int &count = left[RankAtPosition(position)];
            const int used = std::min(count, perRank);
            count -= used;
            unmatched += perRank - used;
        }
        if (unmatched == jokers)
            return start;
    }
    return 0;
}

// Following a play, the search itself finds the letters.
static TCardString FollowingTriplesWithPairsLetters(const LetterCounts &core,
                                                    const PlayShape &previous, int jokers) {
    SearchBase base;
    if (jokers < 1 || jokers > MaxJokersInTriplesWithPairs || !MakeSearchBase(core, base))
        return {};
    if (base.Start > base.End)
        return {};
    return TriplesWithPairsSearch(base, &previous, jokers).Run();
}

static LetterWord LeadingWordOfCore(const LetterCounts &core, int jokers) {
    // The search counts at most three of a rank; no test holds four aces.
    if (core[0] > 3)
        return {};
    std::uint64_t counts = 0;
    for (int rank = 0; rank < LetterCount; ++rank)
        counts |= static_cast<std::uint64_t>(std::clamp(core[rank], 0, 3)) << (4 * rank);
    return LeadingTriplesWithPairsWord(counts, jokers);
}

LetterWord TriplesWithPairsWord(const LetterCounts &core, const PlayShape *previous, int jokers) {
    if (previous == nullptr)
        return LeadingWordOfCore(core, jokers);
    const TCardString letters = FollowingTriplesWithPairsLetters(core, *previous, jokers);
    LetterWord word;
    for (const char letter : letters.View())
        word.Word |= static_cast<std::uint64_t>(static_cast<unsigned char>(letter))
                     << (8 * word.Count++);
    return word;
}

TCardString TriplesWithPairsLetters(const LetterCounts &core, const PlayShape *previous,
                                    int jokers) {
    if (previous != nullptr)
        return FollowingTriplesWithPairsLetters(core, *previous, jokers);
    const LetterWord word = LeadingWordOfCore(core, jokers);
    TCardString letters;
    for (int i = 0; i < word.Count; ++i)
        letters.Append(static_cast<char>(word.Word >> (8 * i)));
    return letters;
}

} // namespace Detail

std::string FillPairRun(int pairs, std::string_view core, int jokers) {
    return Completed(core, pairs, 2, jokers);
}

std::string FillTripleRun(int triples, std::string_view core, int jokers) {
    return Completed(core, triples, 3, jokers);
}

std::string FillStraight(int length, std::string_view core, int jokers) {
    return Completed(core, length, 1, jokers);
}

std::string FillTriplesWithPairs(std::string_view core, std::string_view previous, int jokers) {
    const PlayShape previousShape = Detail::ShapeOf(previous);
    const TCardString letters = Detail::TriplesWithPairsLetters(
        Detail::CountLetters(core), previous.empty() ? nullptr : &previousShape, jokers);
    return letters.Empty() ? std::string() : std::string(core) + letters.Str();
}

void AddIfBeats(std::vector<std::string> &list, std::string_view candidate, TPlayType type,
                std::string_view previous) {
    if (candidate.empty())
        return;
    if ((previous.empty() && type != ptInvalid) || ComparePlays(candidate, previous) > 0)
        list.emplace_back(candidate);
}

} // namespace VestranoFunc
