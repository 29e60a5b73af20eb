#include "cards/PlayShape.h"

#include "cards/CardTables.h"

#include <array>
#include <bit>

namespace VestranoFunc::Detail {

namespace {

constexpr std::uint16_t Bit(int rank) {
    return static_cast<std::uint16_t>(1u << rank);
}

char SingleRankLetter(std::uint16_t mask) {
    return Tables::RankLetterOfRank[std::countr_zero(mask)];
}

} // namespace

bool CountRanks(std::string_view cards, RankCounts &counts) {
    for (const char c : cards) {
        const std::uint8_t rank = Tables::At(Tables::CardRanks, c);
        if (rank == Tables::NoRank)
            return false;
        counts.Add(rank);
    }
    return true;
}

// With a 2 among its ranks a run's groups are ordered king down to ace (ace low),
// otherwise ace first.
char RunTop(std::uint16_t mask) {
    if ((mask & Bit(AceRank)) && !(mask & Bit(TwoRank)))
        return 'A';
    return Tables::RankLetterOfRank[std::bit_width(mask) - 1];
}

bool IsRun(std::uint16_t mask) {
    if (mask == 0 || (mask & JokerRanks))
        return false;
    // Without a 2 the ace sits above the king (bit 13 stands for it here).
    if (!(mask & Bit(TwoRank)) && (mask & Bit(AceRank)))
        mask = static_cast<std::uint16_t>((mask & ~Bit(AceRank)) | Bit(13));
    const unsigned shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

namespace {

// The shape of n cards whose ranks are counted in count (indexed by rank); present has a
// bit for every rank counted.
template <class Count> PlayShape Classify(const Count &count, std::uint16_t present, int n) {
    PlayShape shape;
    shape.Size = n;
    shape.HasTwo = count[TwoRank] > 0;
    if (n <= 0 || n > static_cast<int>(MaxPlaySize))
        return shape;
    int groups = 0;
    int longest = 0;
    int pairCount = 0;
    int tripleCount = 0;
    std::uint16_t pairs = 0;
    std::uint16_t triples = 0;
    for (unsigned left = present; left != 0; left &= left - 1) {
        const int rank = std::countr_zero(left);
        const int cards = count[rank];
        ++groups;
        longest = cards > longest ? cards : longest;
        if (cards == 2) {
            pairs |= Bit(rank);
            ++pairCount;
        } else if (cards == 3) {
            triples |= Bit(rank);
            ++tripleCount;
        }
    }
    const auto set = [&shape](TPlayType type, char key) {
        shape.Type = type;
        shape.Key = key;
        return shape;
    };
    // "k groups, first m": the longest group has m cards and k of them make up all n.
    const auto allOf = [&](int k, int m) {
        return groups == k && longest == m;
    };
    const auto run = [&](int k, int m) {
        return allOf(k, m) && IsRun(present);
    };
    const auto triplesWithPairs = [&](int k) {
        return groups == k && longest == 3 && tripleCount == pairCount && IsRun(triples) &&
               IsRun(pairs);
    };
    if (groups == 1) {
        const char letter = SingleRankLetter(present);
        switch (n) {
        case 1:
            return set(ptSingle, letter);
        case 2:
            return set(ptPair, letter);
        case 3:
            return set(ptTriple, letter);
        default:
            return n <= 12 ? set(ptBomb, letter) : shape;
        }
    }
    switch (n) {
    case 4:
        if (count[SmallJokerRank] == 2 && count[BigJokerRank] == 2)
            return set(ptRocket, '1');
        break;
    case 5:
        if (allOf(2, 3))
            return set(ptTripleWithPair, SingleRankLetter(triples));
        if (run(5, 1))
            return set(ptStraight, RunTop(present));
        return shape;
    case 10:
        if (triplesWithPairs(4))
            return set(ptTriplesWithPairs, RunTop(triples));
        break;
    case 15:
        if (run(5, 3))
            return set(ptTripleRun, RunTop(present));
        if (triplesWithPairs(6))
            return set(ptTriplesWithPairs, RunTop(triples));
        return shape;
    case 20:
        if (run(10, 2))
            return set(ptPairRun, RunTop(present));
        if (triplesWithPairs(8))
            return set(ptTriplesWithPairs, RunTop(triples));
        return shape;
    case 25:
        if (triplesWithPairs(10))
            return set(ptTriplesWithPairs, RunTop(triples));
        return shape;
    default:
        break;
    }
    if (n % 2 == 0 && n <= 26 && run(n / 2, 2))
        return set(ptPairRun, RunTop(present));
    if (n % 3 == 0 && n >= 6 && run(n / 3, 3))
        return set(ptTripleRun, RunTop(present));
    return shape;
}

} // namespace

PlayShape ShapeOf(const RankCounts &counts) {
    std::uint16_t present = 0;
    for (int rank = 0; rank < RankCount; ++rank) {
        if (counts.Count[rank] > 0)
            present |= Bit(rank);
    }
    return Classify(counts.Count, present, counts.Total);
}

PlayShape ShapeOf(std::string_view cards) {
    if (cards.empty() || cards.size() > MaxPlaySize)
        return {};
    std::array<std::uint8_t, RankCount> count{};
    std::uint16_t present = 0;
    for (const char c : cards) {
        const std::uint8_t rank = Tables::At(Tables::CardRanks, c);
        if (rank == Tables::NoRank)
            return {};
        ++count[rank];
        present |= Bit(rank);
    }
    return Classify(count, present, static_cast<int>(cards.size()));
}

int Compare(const PlayShape &play, const PlayShape &previous) {
    if (play.Type == ptInvalid)
        return 0;
    if (play.Type == ptRocket)
        return 99;
    if (play.Type == previous.Type) {
        if (play.Type == ptBomb && play.Size > previous.Size)
            return 1;
        if (play.Size != previous.Size)
            return 0;
        const bool sequence = play.Type >= ptStraight && play.Type <= ptTriplesWithPairs;
        const auto &positions = sequence && (play.HasTwo || previous.HasTwo)
                                    ? Tables::RunOrderPositions
                                    : Tables::RankOrderPositions;
        return Tables::At(positions, previous.Key) - Tables::At(positions, play.Key);
    }
    // Nothing beats a rocket, not even a bomb.
    if (play.Type == ptBomb && previous.Type != ptRocket)
        return 1;
    if (previous.Type == ptBomb)
        return -1;
    return 0;
}

} // namespace VestranoFunc::Detail
