// Every play a hand can make against the play on the table, for bots and hints.
//
// Plays without jokers standing in are the legal shapes the hand holds. A play with
// jokers is a selection core + jokers whose faces the joker search lists; its faces
// contain the core, so every such core is a legal shape with one to four cards taken out.
// Taking the cards out of every shape that could be accepted finds every core; each core
// is searched once.

#include "cards/CardTables.h"
#include "cards/JokerSearch.h"
#include "cards/PlayShape.h"
#include "cards/VestranoFunc.h"

#include <algorithm>

namespace VestranoFunc {

using namespace Detail;

namespace {

constexpr int LetterCount = 13;
constexpr int MaxJokers = 4;
constexpr int CopiesPerDeck = 2;
constexpr int MaxBombSize = 12;

// Open-addressing set of non-zero 64-bit keys.
class KeySet {
public:
    // slots: a power of two.
    explicit KeySet(std::size_t slots)
        : m_slots(slots, 0) {}

    bool Insert(std::uint64_t key) {
        if ((m_size + 1) * 2 > m_slots.size())
            Grow();
        return Place(m_slots, key);
    }

private:
    bool Place(std::vector<std::uint64_t> &slots, std::uint64_t key) {
        const std::size_t mask = slots.size() - 1;
        std::size_t i = (key * 0x9E3779B97F4A7C15ull) >> 40 & mask;
        while (slots[i] != 0) {
            if (slots[i] == key)
                return false;
            i = (i + 1) & mask;
        }
        slots[i] = key;
        ++m_size;
        return true;
    }

    void Grow() {
        std::vector<std::uint64_t> old(m_slots.size() * 2, 0);
        old.swap(m_slots);
        m_size = 0;
        for (const std::uint64_t key : old) {
            if (key != 0)
                Place(m_slots, key);
        }
    }

    std::vector<std::uint64_t> m_slots;
    std::size_t m_size = 0;
};

// A multiset of rank letters that forms a play.
struct LetterShape {
    std::array<int, LetterCount> Count{};
    int Size = 0;
    TPlayType Type = ptInvalid;

    void Add(std::uint16_t mask, int times) {
        for (int rank = 0; rank < LetterCount; ++rank) {
            if (mask >> rank & 1u) {
                Count[rank] += times;
                Size += times;
            }
        }
    }
};

class PlayEnumerator {
public:
    PlayEnumerator(const RankCounts &hand, const std::array<std::string, RankCount> &codes,
                   const PlayShape *previous, std::vector<TPlayOption> &plays)
        : m_hand(hand)
        , m_codes(codes)
        , m_previous(previous)
        , m_plays(plays)
        , m_jokers(hand.Count[SmallJokerRank] + hand.Count[BigJokerRank])
        , m_wantedTypes(WantedTypes(previous))
        , m_searched(previous == nullptr ? LeadCores : FollowCores) {}

    void Run() {
        JokerOnlyPlays();
        ForEachShape([this](const LetterShape &shape) {
            PlainPlay(shape);
            if (m_jokers > 0)
                CoresOf(shape);
        });
    }

private:
    // Room for the cores searched: a free lead of a full hand with four jokers searches a
    // few thousand, a follow a few dozen.
    static constexpr std::size_t LeadCores = 8192;
    static constexpr std::size_t FollowCores = 512;

    // The joker candidates worth building: following, only the type on the table and
    // bombs, and the triples-with-pairs completion that may also return runs.
    static unsigned WantedTypes(const PlayShape *previous) {
        if (previous == nullptr)
            return AllPlayTypes;
        unsigned types = 1u << ptBomb | 1u << previous->Type;
        if (previous->Type >= ptPairRun && previous->Type <= ptTriplesWithPairs)
            types |= 1u << ptTriplesWithPairs;
        return types;
    }

    // Whether a play of this type and size could pass the play check at all.
    bool Wanted(TPlayType type, int size) const {
        if (m_previous == nullptr)
            return true;
        if (type == ptBomb)
            return m_previous->Type != ptBomb || size >= m_previous->Size;
        return type == m_previous->Type && size == m_previous->Size;
    }

    bool Accepted(const PlayShape &shape) const {
        if (shape.Type == ptInvalid)
            return false;
        if (m_previous == nullptr)
            return true;
        const bool typeFits =
            shape.Type == ptBomb || shape.Type == ptRocket || shape.Type == m_previous->Type;
        return typeFits && Compare(shape, *m_previous) > 0;
    }

    template <class Visit> void ForEachShape(Visit &&visit) {
        for (int size = 1; size <= MaxBombSize; ++size) {
            const TPlayType type = size == 1   ? ptSingle
                                   : size == 2 ? ptPair
                                   : size == 3 ? ptTriple
                                               : ptBomb;
            if (!Wanted(type, size))
                continue;
            for (int rank = 0; rank < LetterCount; ++rank)
                Emit(visit, type, {{1u << rank, size}});
        }
        if (Wanted(ptTripleWithPair, 5)) {
            for (int triple = 0; triple < LetterCount; ++triple) {
                for (int pair = 0; pair < LetterCount; ++pair) {
                    if (pair != triple)
                        Emit(visit, ptTripleWithPair, {{1u << triple, 3}, {1u << pair, 2}});
                }
            }
        }
        if (Wanted(ptStraight, 5)) {
            for (int start = 1; start <= 10; ++start)
                Emit(visit, ptStraight, {{RunWindow(start, 5), 1}});
        }
        for (int length = 2; length <= 13; ++length) {
            if (!Wanted(ptPairRun, 2 * length))
                continue;
            // The two windows of thirteen ranks hold the same ranks.
            for (int start = 1; start <= (length == 13 ? 1 : 15 - length); ++start)
                Emit(visit, ptPairRun, {{RunWindow(start, length), 2}});
        }
        for (int length = 2; length <= 9; ++length) {
            if (!Wanted(ptTripleRun, 3 * length))
                continue;
            for (int start = 1; start <= 15 - length; ++start)
                Emit(visit, ptTripleRun, {{RunWindow(start, length), 3}});
        }
        for (int k = 2; k <= 5; ++k) {
            if (!Wanted(ptTriplesWithPairs, 5 * k))
                continue;
            for (int triples = 1; triples <= 15 - k; ++triples) {
                const std::uint16_t tripleMask = RunWindow(triples, k);
                for (int pairs = 1; pairs <= 15 - k; ++pairs) {
                    const std::uint16_t pairMask = RunWindow(pairs, k);
                    if ((tripleMask & pairMask) == 0)
                        Emit(visit, ptTriplesWithPairs, {{tripleMask, 3}, {pairMask, 2}});
                }
            }
        }
    }

    struct Part {
        unsigned Mask;
        int Times;
    };

    template <class Visit>
    void Emit(Visit &visit, TPlayType type, std::initializer_list<Part> parts) {
        LetterShape shape;
        shape.Type = type;
        for (const Part &part : parts)
            shape.Add(static_cast<std::uint16_t>(part.Mask), part.Times);
        visit(shape);
    }

    void JokerOnlyPlays() {
        const int small = m_hand.Count[SmallJokerRank];
        const int big = m_hand.Count[BigJokerRank];
        for (const std::string_view cards : {"0", "1", "00", "11", "1100"}) {
            const int needSmall = static_cast<int>(std::count(cards.begin(), cards.end(), '0'));
            const int needBig = static_cast<int>(cards.size()) - needSmall;
            if (needSmall <= small && needBig <= big && Accepted(ShapeOf(cards)))
                Add(TCardString(cards), TCardString(cards));
        }
    }

    void PlainPlay(const LetterShape &shape) {
        RankCounts counts;
        for (int rank = 0; rank < LetterCount; ++rank) {
            if (shape.Count[rank] > m_hand.Count[rank])
                return;
            counts.Add(rank, shape.Count[rank]);
        }
        if (!Accepted(ShapeOf(counts)))
            return;
        const TCardString cards = CardsOf(shape.Count);
        Add(cards, cards);
    }

    // Every core of this shape the hand holds: the shape with 1..4 cards taken out, at
    // least those the hand lacks.
    void CoresOf(const LetterShape &shape) {
        int forced = 0;
        for (int rank = 0; rank < LetterCount; ++rank) {
            m_least[rank] = std::max(shape.Count[rank] - m_hand.Count[rank], 0);
            forced += m_least[rank];
        }
        const int most = std::min({m_jokers, MaxJokers, shape.Size - 1});
        if (forced > most)
            return;
        for (int jokers = std::max(forced, 1); jokers <= most; ++jokers) {
            m_core = shape.Count;
            for (int rank = 0; rank < LetterCount; ++rank)
                m_core[rank] -= m_least[rank];
            TakeOut(0, jokers - forced, jokers);
        }
    }

    void TakeOut(int rank, int extra, int jokers) {
        if (extra == 0) {
            SearchCore(jokers);
            return;
        }
        for (; rank < LetterCount; ++rank) {
            if (m_core[rank] == 0)
                continue;
            const int before = m_core[rank];
            for (int taken = 1; taken <= std::min(extra, before); ++taken) {
                m_core[rank] = before - taken;
                TakeOut(rank + 1, extra - taken, jokers);
            }
            m_core[rank] = before;
        }
    }

    void SearchCore(int jokers) {
        std::uint64_t key = static_cast<std::uint64_t>(jokers) << 60;
        for (int rank = 0; rank < LetterCount; ++rank)
            key |= static_cast<std::uint64_t>(m_core[rank]) << (4 * rank);
        if (!m_searched.Insert(key))
            return;
        const TCardString core = CardsOf(m_core);
        InterpretationList &list = m_list;
        Interpret(core.View(), jokers, m_previous, list, m_wantedTypes);
        for (int i = 0; i < list.Count; ++i) {
            const TCardString &faces = list.Items[i].Faces;
            if (!Accepted(list.Items[i].Shape) || SameFacesListed(list, i))
                continue;
            const int small = m_hand.Count[SmallJokerRank];
            const int big = m_hand.Count[BigJokerRank];
            for (int smalls = std::max(0, jokers - big); smalls <= std::min(jokers, small);
                 ++smalls) {
                TCardString cards = core;
                cards.Append(static_cast<std::size_t>(smalls), '0');
                cards.Append(static_cast<std::size_t>(jokers - smalls), '1');
                Add(cards, faces);
            }
        }
    }

    // An earlier entry of the list with faces of the same ranks is the same play.
    static bool SameFacesListed(const InterpretationList &list, int index) {
        for (int i = 0; i < index; ++i) {
            if (list.Items[i].FacesRanks.Count == list.Items[index].FacesRanks.Count)
                return true;
        }
        return false;
    }

    TCardString CardsOf(const std::array<int, LetterCount> &counts) const {
        TCardString cards;
        for (int rank = 0; rank < LetterCount; ++rank)
            cards.Append(std::string_view(m_codes[rank]).substr(0, counts[rank]));
        return cards;
    }

    void Add(const TCardString &cards, const TCardString &faces) {
        m_plays.push_back({cards, faces});
    }

    const RankCounts &m_hand;
    const std::array<std::string, RankCount> &m_codes;
    const PlayShape *m_previous;
    std::vector<TPlayOption> &m_plays;
    int m_jokers;
    unsigned m_wantedTypes;
    KeySet m_searched;
    InterpretationList m_list;
    std::array<int, LetterCount> m_least{};
    std::array<int, LetterCount> m_core{};
};

} // namespace

std::vector<TPlayOption> EnumeratePlays(std::string_view hand, std::string_view previous) {
    std::vector<TPlayOption> plays;
    plays.reserve(previous.empty() ? 4096 : 256);
    std::array<int, CardCount> copies{};
    RankCounts counts;
    std::array<std::string, RankCount> codes;
    for (const char c : hand) {
        const int index = CardIndexOf(c);
        if (index < 0 || ++copies[index] > CopiesPerDeck)
            return plays;
        const int rank = Tables::At(Tables::CardRanks, c);
        counts.Add(rank);
        codes[rank].push_back(c);
    }
    const PlayShape previousShape = ShapeOf(previous);
    if (!previous.empty() && previousShape.Type == ptRocket)
        return plays;
    PlayEnumerator(counts, codes, previous.empty() ? nullptr : &previousShape, plays).Run();
    return plays;
}

} // namespace VestranoFunc
