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
    // The ranks holding one, two and three cards (aces apart).
    std::array<std::uint16_t, 4> Holding{};
    // The counts of the ranks but the ace as digits of base four, one for each position of
    // RunOrder, the lowest position highest (PositionDigit).
    std::uint32_t Digits = 0;
};

// Where PositionDigit puts the digit of a position of RunOrder.
constexpr int PositionDigit(int position) {
    return 2 * (position - 1);
}

bool MakeSearchBase(const LetterCounts &have, SearchBase &base) {
    const int aces = have[0];
    const int topAces = std::clamp(aces - 3, 0, 3);
    const int bottomAces = std::min(aces, 3);
    // The masks are gathered in locals: a mask picked by count in memory would make every
    // rank wait for the one before.
    std::array<unsigned, 4> holding{};
    int total = 0;
    std::uint32_t digits = 0;
    for (int rank = 1; rank < LetterCount; ++rank) {
        const int count = std::min(have[rank], 3);
        base.Counts[rank] = count;
        total += count;
        digits |= static_cast<std::uint32_t>(count) << PositionDigit(RunLength - rank);
        const unsigned bit = 1u << rank;
        holding[0] |= count == 0 ? bit : 0;
        holding[1] |= count == 1 ? bit : 0;
        holding[2] |= count == 2 ? bit : 0;
        holding[3] |= count == 3 ? bit : 0;
    }
    for (int count = 0; count < 4; ++count)
        base.Holding[count] = static_cast<std::uint16_t>(holding[count]);
    base.Total = total;
    base.Digits = digits;
    // The highest and lowest non-ace ranks present, -1 for none.
    const unsigned present = ~holding[0] & 0x1FFEu;
    const int highest = std::bit_width(present) - 1;
    const int lowest = present == 0 ? -1 : std::countr_zero(present);
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

// For each length of run up to five and each rank, the starts (bit = 1-based start) of the
// windows of RunOrder of that length holding the rank.
constexpr auto WindowsHolding = [] {
    std::array<std::array<unsigned, LetterCount>, 6> table{};
    for (int length = 1; length < 6; ++length) {
        for (int start = 1; start <= RunLength + 1 - length; ++start) {
            for (int rank = 0; rank < LetterCount; ++rank) {
                if (Detail::ComputeRunWindow(start, length) >> rank & 1u)
                    table[length][rank] |= 1u << start;
            }
        }
    }
    return table;
}();

// The starts (bit = 1-based start) of the windows of RunOrder of length up to five that hold
// all the ranks of mask.
unsigned StartsHolding(unsigned mask, int length) {
    unsigned starts = (1u << (16 - length)) - 2;
    if (mask & 1u)
        starts &= WindowsHolding[length][0];
    // The other ranks stand at one position each, from the king at 2 down to the two at 13.
    const unsigned others = mask & ~1u;
    if (others != 0) {
        const int first = RunLength - (std::bit_width(others) - 1);
        const int last = RunLength - std::countr_zero(others);
        const int lowest = std::max(last - length + 1, 1);
        if (lowest > first)
            return 0;
        starts &= ((2u << first) - 1) & ~((1u << lowest) - 1);
    }
    return starts;
}

// Leading, the search accepts exactly the tests that are triples with pairs: size / 5
// triples forming a run and as many pairs forming another. The test it accepts first has
// the most letters at the lowest position, then at the next one up and so on; so rather
// than searched, the pairs of runs the letters can complete are compared in that order.
Detail::LetterWord LeadingLetters(const SearchBase &base, int jokers) {
    const int size = base.Total + jokers;
    if (size % 5 != 0 || size < 10 || size > 25)
        return {};
    const int runLength = size / 5;
    // Only aces reach four, and no test holds four of a rank.
    const int aces = base.Counts[0];
    if (aces > 3)
        return {};
    const auto withAces = [&](int count) {
        return static_cast<std::uint16_t>(base.Holding[count] | (aces == count ? 1u : 0u));
    };
    const std::uint16_t singles = withAces(1);
    const std::uint16_t pairs = withAces(2);
    const std::uint16_t triples = withAces(3);
    const auto held = static_cast<std::uint16_t>(singles | pairs | triples);
    // Letters go only to ranks inside the search window; a single must take one.
    const std::uint16_t available = Detail::RunWindow(base.Start, base.End - base.Start + 1);
    if (singles & ~available)
        return {};
    // A rank takes letters when short of three; an empty one needs two to hold a pair.
    constexpr std::uint16_t AllLetters = (1u << LetterCount) - 1;
    const auto takes =
        static_cast<std::uint16_t>(available & ~triples & (jokers >= 2 ? AllLetters : held));
    // The letters per rank as digits of base four, the lowest position highest: one digit
    // for each position of RunOrder, the ace's at the position it stands at in the window.
    // A test's letters form the key that orders the tests.
    const int acePosition = base.End == RunLength ? RunLength : 1;
    const int otherAce = RunLength + 1 - acePosition;
    const std::uint32_t counts = base.Digits | static_cast<std::uint32_t>(aces)
                                                   << PositionDigit(acePosition);
    const auto positionsDigits = [&](int first, int last) {
        const std::uint32_t digits =
            ((1u << PositionDigit(last + 1)) - 1) & ~((1u << PositionDigit(first)) - 1);
        return digits & ~(3u << PositionDigit(otherAce));
    };
    // Each digit's low bit spread to the digit.
    const auto whole = [](std::uint32_t lowBits) {
        return lowBits * 3;
    };
    constexpr std::uint32_t LowBits = 0x5555555u; // the low bit of each position's digit
    const std::uint32_t heldDigits = whole((counts | counts >> 1) & LowBits);
    const std::uint32_t tripleDigits = whole(counts & counts >> 1 & LowBits);
    const std::uint32_t takingDigits = positionsDigits(base.Start, base.End) & ~tripleDigits &
                                       (jokers >= 2 ? positionsDigits(1, RunLength) : heldDigits);
    // What the ranks taking letters lack of a triple and of a pair (they hold at most two).
    const std::uint32_t takenCounts = counts & takingDigits;
    const std::uint32_t lackingThree = (0xFFFFFFFu & takingDigits) - takenCounts;
    const std::uint32_t lackingTwo = (0xAAAAAAAu & takingDigits) - takenCounts;
    // The digits of a window's ranks.
    const auto digitsOf = [&](int start) {
        std::uint32_t digits = ((1u << (2 * runLength)) - 1) << PositionDigit(start);
        constexpr std::uint32_t Low = 3u << PositionDigit(1);
        constexpr std::uint32_t High = 3u << PositionDigit(RunLength);
        if (start == 1 && acePosition != 1)
            digits = (digits & ~Low) | High;
        if (start + runLength - 1 == RunLength && acePosition != RunLength)
            digits = (digits & ~High) | Low;
        return digits;
    };
    constexpr std::uint32_t Found = 1u << PositionDigit(RunLength + 1);
    const std::uint16_t mayHoldThree = triples | takes;
    const std::uint16_t mayHoldTwo = pairs | takes;
    std::uint32_t bestKey = 0;
    for (unsigned tripleStarts = StartsHolding(triples, runLength); tripleStarts != 0;
         tripleStarts &= tripleStarts - 1) {
        const int tripleStart = std::countr_zero(tripleStarts);
        const std::uint16_t tripleRun = Detail::RunWindow(tripleStart, runLength);
        if (tripleRun & ~mayHoldThree)
            continue;
        const std::uint32_t tripleLetters = lackingThree & digitsOf(tripleStart);
        // The pairs hold every rank the triples leave.
        for (unsigned pairStarts = StartsHolding(held & ~tripleRun, runLength); pairStarts != 0;
             pairStarts &= pairStarts - 1) {
            const int pairStart = std::countr_zero(pairStarts);
            const std::uint16_t pairRun = Detail::RunWindow(pairStart, runLength);
            if ((pairRun & tripleRun) || (pairRun & ~mayHoldTwo))
                continue;
            bestKey = std::max(bestKey, Found | tripleLetters | (lackingTwo & digitsOf(pairStart)));
        }
    }
    // The best key spells the letters: its digits, from the highest, are the ranks in order.
    Detail::LetterWord letters;
    for (std::uint32_t digits = (bestKey | bestKey >> 1) & LowBits; digits != 0;) {
        const int bit = std::bit_width(digits) - 1;
        digits &= ~(1u << bit);
        const auto letter = static_cast<unsigned char>('A' + RankAtPosition(bit / 2 + 1));
        for (unsigned added = bestKey >> bit & 3u; added > 0; --added)
            letters.Word |= static_cast<std::uint64_t>(letter) << (8 * letters.Count++);
    }
    return letters;
}

} // namespace

namespace Detail {

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

LetterWord TriplesWithPairsWord(const LetterCounts &core, const PlayShape *previous, int jokers) {
    SearchBase base;
    if (jokers < 1 || jokers > MaxJokersInTriplesWithPairs || !MakeSearchBase(core, base))
        return {};
    if (base.Start > base.End)
        return {};
    if (previous == nullptr)
        return LeadingLetters(base, jokers);
    const TCardString letters = TriplesWithPairsSearch(base, previous, jokers).Run();
    LetterWord word;
    for (const char letter : letters.View())
        word.Word |= static_cast<std::uint64_t>(static_cast<unsigned char>(letter))
                     << (8 * word.Count++);
    return word;
}

TCardString TriplesWithPairsLetters(const LetterCounts &core, const PlayShape *previous,
                                    int jokers) {
    const LetterWord word = TriplesWithPairsWord(core, previous, jokers);
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
