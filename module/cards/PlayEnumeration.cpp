// Every play a hand can make against the play on the table, for bots and hints.
//
// A play's faces are a legal shape: plain plays are the shapes the hand holds. A play with
// jokers standing in is a selection core + jokers whose faces the joker search lists; the
// faces contain the core, so the core is the shape with one to four cards taken out. Each
// shape is visited once, every core it leaves once, and the core is kept when the joker
// search would list exactly that shape for it; no search runs twice for one core.

#include "cards/CardTables.h"
#include "cards/JokerSearch.h"
#include "cards/PlayShape.h"
#include "cards/VestranoFunc.h"

#include <algorithm>
#include <bit>
#include <initializer_list>

namespace VestranoFunc {

using namespace Detail;

namespace {

constexpr int MaxJokers = 4;
constexpr int CopiesPerDeck = 2;
constexpr int MaxBombSize = 12;
constexpr int MaxJokersInTriplesWithPairs = 3;

enum class ShapeKind { Repeated, TripleWithPair, Run, TriplesWithPairs };

// A multiset of rank letters that forms a play, and how the joker search builds it.
struct LetterShape {
    LetterCounts Count{};
    std::uint16_t Mask = 0;
    int Size = 0;
    TPlayType Type = ptInvalid;
    ShapeKind Kind = ShapeKind::Repeated;
    int Start = 0;  // runs: first position in RunOrder
    int Length = 0; // runs: number of ranks
    int Times = 0;  // runs: cards per rank
    int Triple = 0; // triple with pair: the ranks
    int Pair = 0;

    void Add(std::uint16_t mask, int times) {
        Mask |= mask;
        for (int rank = 0; rank < LetterCount; ++rank) {
            if (mask >> rank & 1u) {
                Count[rank] += times;
                Size += times;
            }
        }
    }
};

// Remembers the triples-with-pairs completion of each core (keyed by its letters and
// jokers); a core is part of many shapes.
class CompletionCache {
public:
    // The completion of key, computing it with complete() the first time.
    template <class Complete> const TCardString &Get(std::uint64_t key, Complete &&complete) {
        if (m_keys.empty()) {
            m_keys.assign(Slots, 0);
            m_values.resize(Slots);
        }
        std::size_t i = (key * 0x9E3779B97F4A7C15ull) >> 40 & (Slots - 1);
        for (std::size_t probes = 0; probes < Slots; ++probes, i = (i + 1) & (Slots - 1)) {
            if (m_keys[i] == key)
                return m_values[i];
            if (m_keys[i] == 0) {
                if (m_used * 2 >= Slots)
                    break;
                m_keys[i] = key;
                m_values[i] = complete();
                ++m_used;
                return m_values[i];
            }
        }
        m_spare = complete();
        return m_spare;
    }

private:
    // A free lead of a full hand completes a few hundred cores; more are computed uncached.
    static constexpr std::size_t Slots = 1024;

    std::vector<std::uint64_t> m_keys;
    std::vector<TCardString> m_values;
    std::size_t m_used = 0;
    TCardString m_spare;
};

class PlayEnumerator {
public:
    PlayEnumerator(const RankCounts &hand, const std::array<std::string, RankCount> &codes,
                   const PlayShape *previous, std::vector<TPlayOption> &plays)
        : m_hand(hand)
        , m_codes(codes)
        , m_previous(previous)
        , m_plays(plays)
        , m_small(hand.Count[SmallJokerRank])
        , m_big(hand.Count[BigJokerRank]) {}

    void Run() {
        JokerOnlyPlays();
        ForEachShape([this](const LetterShape &shape) { Visit(shape); });
    }

private:
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

    struct Part {
        unsigned Mask;
        int Times;
    };

    template <class Visit> void ForEachShape(Visit &&visit) {
        for (int size = 1; size <= MaxBombSize; ++size) {
            const TPlayType type = size == 1   ? ptSingle
                                   : size == 2 ? ptPair
                                   : size == 3 ? ptTriple
                                               : ptBomb;
            if (!Wanted(type, size))
                continue;
            for (int rank = 0; rank < LetterCount; ++rank)
                visit(Make(type, ShapeKind::Repeated, {{1u << rank, size}}));
        }
        if (Wanted(ptTripleWithPair, 5)) {
            for (int triple = 0; triple < LetterCount; ++triple) {
                for (int pair = 0; pair < LetterCount; ++pair) {
                    if (pair == triple)
                        continue;
                    LetterShape shape = Make(ptTripleWithPair, ShapeKind::TripleWithPair,
                                             {{1u << triple, 3}, {1u << pair, 2}});
                    shape.Triple = triple;
                    shape.Pair = pair;
                    visit(shape);
                }
            }
        }
        Runs(visit, ptStraight, 1, 5, 5);
        Runs(visit, ptPairRun, 2, 2, 13);
        Runs(visit, ptTripleRun, 3, 2, 9);
        for (int k = 2; k <= 5; ++k) {
            if (!Wanted(ptTriplesWithPairs, 5 * k))
                continue;
            for (int triples = 1; triples <= 15 - k; ++triples) {
                const std::uint16_t tripleMask = RunWindow(triples, k);
                for (int pairs = 1; pairs <= 15 - k; ++pairs) {
                    const std::uint16_t pairMask = RunWindow(pairs, k);
                    if ((tripleMask & pairMask) == 0)
                        visit(Make(ptTriplesWithPairs, ShapeKind::TriplesWithPairs,
                                   {{tripleMask, 3}, {pairMask, 2}}));
                }
            }
        }
    }

    template <class Visit>
    void Runs(Visit &visit, TPlayType type, int times, int shortest, int longest) {
        for (int length = shortest; length <= longest; ++length) {
            if (!Wanted(type, times * length))
                continue;
            // The two windows of thirteen ranks hold the same ranks.
            for (int start = 1; start <= (length == 13 ? 1 : 15 - length); ++start) {
                LetterShape shape = Make(type, ShapeKind::Run, {{RunWindow(start, length), times}});
                shape.Start = start;
                shape.Length = length;
                shape.Times = times;
                visit(shape);
            }
        }
    }

    static LetterShape Make(TPlayType type, ShapeKind kind, std::initializer_list<Part> parts) {
        LetterShape shape;
        shape.Type = type;
        shape.Kind = kind;
        for (const Part &part : parts)
            shape.Add(static_cast<std::uint16_t>(part.Mask), part.Times);
        return shape;
    }

    void JokerOnlyPlays() {
        for (const std::string_view cards : {"0", "1", "00", "11", "1100"}) {
            const int small = static_cast<int>(std::count(cards.begin(), cards.end(), '0'));
            const int big = static_cast<int>(cards.size()) - small;
            if (small <= m_small && big <= m_big && Accepted(ShapeOf(cards)))
                Add(TCardString(cards), TCardString(cards));
        }
    }

    void Visit(const LetterShape &shape) {
        // The cards the hand lacks must be jokers.
        int lacking = 0;
        for (unsigned left = shape.Mask; left != 0; left &= left - 1) {
            const int rank = std::countr_zero(left);
            lacking += std::max(shape.Count[rank] - m_hand.Count[rank], 0);
        }
        // Only the completion builds triples with pairs, and never with four jokers.
        const int usable =
            shape.Kind == ShapeKind::TriplesWithPairs ? MaxJokersInTriplesWithPairs : MaxJokers;
        const int jokers = std::min({m_small + m_big, usable, shape.Size - 1});
        if (lacking > jokers || !Accepted(FacesShape(shape)))
            return;
        if (lacking == 0) {
            const TCardString cards = CardsOf(shape.Count, shape.Mask);
            Add(cards, cards);
        }
        if (jokers > 0)
            CoresOf(shape, jokers);
    }

    static PlayShape FacesShape(const LetterShape &shape) {
        if (shape.Kind == ShapeKind::Repeated) {
            // One rank: the type is known and the rank is the key.
            const int rank = std::countr_zero(static_cast<unsigned>(shape.Mask));
            return {shape.Type, shape.Size, Tables::RankLetterOfRank[rank], rank == TwoRank};
        }
        RankCounts faces;
        for (int rank = 0; rank < LetterCount; ++rank)
            faces.Add(rank, shape.Count[rank]);
        return ShapeOf(faces);
    }

    // Every core of this shape the hand holds: the shape with 1..most cards taken out, at
    // least those the hand lacks.
    void CoresOf(const LetterShape &shape, int most) {
        m_shape = &shape;
        LimitCores();
        int forced = 0;
        int emptied = 0;
        for (int rank = 0; rank < LetterCount; ++rank) {
            m_least[rank] = std::max(shape.Count[rank] - m_hand.Count[rank], 0);
            forced += m_least[rank];
            emptied += shape.Count[rank] > 0 && m_least[rank] == shape.Count[rank];
        }
        if (emptied > m_mostEmptied || (m_kept >= 0 && m_least[m_kept] == shape.Count[m_kept]))
            return;
        for (int jokers = std::max(forced, 1); jokers <= most; ++jokers) {
            m_core = shape.Count;
            for (int rank = 0; rank < LetterCount; ++rank)
                m_core[rank] -= m_least[rank];
            TakeOut(0, jokers - forced, jokers, emptied);
        }
    }

    // What every core the search can list for this shape must keep, so that the others are
    // never built: how many of the shape's ranks may go entirely (the search's table asks
    // for a number of groups), and for a run below the top the rank at its bottom (without
    // it a higher window would hold the core).
    void LimitCores() {
        const LetterShape &shape = *m_shape;
        const int ranks = std::popcount(static_cast<unsigned>(shape.Mask));
        m_kept = -1;
        switch (shape.Kind) {
        case ShapeKind::Repeated:
        case ShapeKind::TripleWithPair:
            m_mostEmptied = 0;
            return;
        case ShapeKind::TriplesWithPairs:
            m_mostEmptied = 1;
            return;
        case ShapeKind::Run:
            break;
        }
        // Following a run, the triples-with-pairs completion may build it from other cores.
        const bool completes = m_previous != nullptr && shape.Size % 5 == 0 && shape.Size >= 10;
        if (completes) {
            m_mostEmptied = ranks;
            return;
        }
        int fewestGroups = 1;
        if (shape.Type == ptStraight)
            fewestGroups = 2;
        else if (shape.Type == ptPairRun && shape.Size == 10)
            fewestGroups = 3;
        else if (shape.Size >= 6)
            fewestGroups = ranks - 1;
        m_mostEmptied = ranks - fewestGroups;
        if (shape.Start > 1)
            m_kept = RankAtPosition(shape.Start + shape.Length - 1);
    }

    void TakeOut(int rank, int extra, int jokers, int emptied) {
        if (extra == 0) {
            CoreFound(jokers);
            return;
        }
        for (; rank < LetterCount; ++rank) {
            if (m_core[rank] == 0)
                continue;
            const int before = m_core[rank];
            const int most = std::min(extra, rank == m_kept ? before - 1 : before);
            for (int taken = 1; taken <= most; ++taken) {
                const int nowEmptied = emptied + (taken == before);
                if (nowEmptied > m_mostEmptied)
                    break;
                m_core[rank] = before - taken;
                TakeOut(rank + 1, extra - taken, jokers, nowEmptied);
            }
            m_core[rank] = before;
        }
    }

    // Completes faces (holding the core) to the candidate the joker search lists for the
    // core, which MayBeListed accepted.
    void CompleteFaces(TCardString &faces) const {
        const LetterShape &shape = *m_shape;
        switch (shape.Kind) {
        case ShapeKind::Repeated: {
            // Pairs and triples repeat the core's first code, bombs its rank letter.
            const char letter =
                shape.Size <= 3 ? faces.View().front() : Tables::RankLetterOfRank[m_coreTop];
            faces = TCardString();
            faces.Append(static_cast<std::size_t>(shape.Size), letter);
            return;
        }
        case ShapeKind::TripleWithPair:
            faces.Append(static_cast<std::size_t>(3 - m_core[shape.Triple]),
                         Tables::RankLetterOfRank[shape.Triple]);
            faces.Append(static_cast<std::size_t>(2 - m_core[shape.Pair]),
                         Tables::RankLetterOfRank[shape.Pair]);
            return;
        case ShapeKind::Run:
        case ShapeKind::TriplesWithPairs:
            if (m_runListed)
                AppendMissing(shape.Start, shape.Length, shape.Times, m_core, faces);
            else
                faces.Append(m_completion->View());
            return;
        }
    }

    // Decides, before any string is built, whether the search can list the shape for the
    // core: m_runListed for the run builders, m_completion for triples with pairs.
    bool MayBeListed(int jokers) {
        const LetterShape &shape = *m_shape;
        int groups = 0;
        int longest = 0;
        std::uint16_t mask = 0;
        for (unsigned left = shape.Mask; left != 0; left &= left - 1) {
            const int rank = std::countr_zero(left);
            if (m_core[rank] > 0) {
                ++groups;
                longest = std::max(longest, m_core[rank]);
                mask = static_cast<std::uint16_t>(mask | 1u << rank);
            }
        }
        m_coreTop = std::countr_zero(static_cast<unsigned>(mask));
        m_coreMask = mask;
        m_runListed = false;
        m_completion = nullptr;
        switch (shape.Kind) {
        case ShapeKind::Repeated:
            return true;
        case ShapeKind::TripleWithPair:
            return groups == 2;
        case ShapeKind::Run:
            m_runListed =
                RunBuilt(shape.Size, groups, longest) && FirstWindowHolding(mask) == shape.Start;
            // Following a run, the triples-with-pairs completion may return one.
            if (!m_runListed && m_previous != nullptr)
                m_completion = Completion(jokers, groups, longest);
            return m_runListed || m_completion != nullptr;
        case ShapeKind::TriplesWithPairs:
            m_completion = Completion(jokers, groups, longest);
            return m_completion != nullptr;
        }
        return false;
    }

    // The joker search's table: whether it builds this run for the core's group count k
    // and longest group L.
    bool RunBuilt(int size, int k, int L) const {
        switch (m_shape->Type) {
        case ptStraight:
            return k >= 2 && L == 1;
        case ptPairRun:
            if (size == 4)
                return k <= 2;
            if (size == 6 || size == 8)
                return k >= size / 2 - 1 && L <= 2;
            return L == 2 && k >= (size == 10 ? 3 : size / 2 - 1);
        case ptTripleRun:
            if (size == 6)
                return L >= 2;
            if (size == 9)
                return k >= 2 && L >= 2;
            return L == 3 && k >= size / 3 - 1;
        default:
            return false;
        }
    }

    // The first window of the shape's length from the top that holds all these ranks.
    int FirstWindowHolding(std::uint16_t mask) const {
        for (int start = 1; start <= 15 - m_shape->Length; ++start) {
            if ((mask & ~RunWindow(start, m_shape->Length)) == 0)
                return start;
        }
        return 0;
    }

    // The triples-with-pairs completion of the core when the search runs it and it
    // completes the core to exactly the shape.
    const TCardString *Completion(int jokers, int k, int L) {
        const int size = m_shape->Size;
        const int fewestGroups = size == 10 ? 3 : size == 15 ? 5 : size == 20 ? 7 : 9;
        if (size % 5 != 0 || size < 10 || k < fewestGroups || L > 3 ||
            jokers > MaxJokersInTriplesWithPairs)
            return nullptr;
        std::uint64_t key = static_cast<std::uint64_t>(jokers) << 60;
        for (int rank = 0; rank < LetterCount; ++rank)
            key |= static_cast<std::uint64_t>(m_core[rank]) << (4 * rank);
        const TCardString &letters = m_completions.Get(
            key, [&] { return TriplesWithPairsLetters(m_core, m_previous, jokers); });
        if (letters.Empty())
            return nullptr;
        LetterCounts completed = m_core;
        for (const char letter : letters.View())
            ++completed[letter - 'A'];
        return completed == m_shape->Count ? &letters : nullptr;
    }

    void CoreFound(int jokers) {
        if (!MayBeListed(jokers))
            return;
        TCardString faces = CardsOf(m_core, m_coreMask);
        const TCardString core = faces;
        CompleteFaces(faces);
        for (int small = std::max(0, jokers - m_big); small <= std::min(jokers, m_small); ++small) {
            TPlayOption &play = m_plays.emplace_back(TPlayOption{core, faces});
            play.Cards.Append(static_cast<std::size_t>(small), '0');
            play.Cards.Append(static_cast<std::size_t>(jokers - small), '1');
        }
    }

    TCardString CardsOf(const LetterCounts &counts, std::uint16_t mask) const {
        TCardString cards;
        for (unsigned left = mask; left != 0; left &= left - 1) {
            const int rank = std::countr_zero(left);
            cards.Append(std::string_view(m_codes[rank]).substr(0, counts[rank]));
        }
        return cards;
    }

    void Add(const TCardString &cards, const TCardString &faces) {
        m_plays.push_back({cards, faces});
    }

    const RankCounts &m_hand;
    const std::array<std::string, RankCount> &m_codes;
    const PlayShape *m_previous;
    std::vector<TPlayOption> &m_plays;
    int m_small;
    int m_big;
    const LetterShape *m_shape = nullptr;
    LetterCounts m_least{};
    int m_mostEmptied = 0;
    int m_kept = -1;
    LetterCounts m_core{};
    int m_coreTop = 0;
    std::uint16_t m_coreMask = 0;
    bool m_runListed = false;
    const TCardString *m_completion = nullptr;
    CompletionCache m_completions;
};

} // namespace

std::vector<TPlayOption> EnumeratePlays(std::string_view hand, std::string_view previous) {
    std::vector<TPlayOption> plays;
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
    plays.reserve(previous.empty() ? 4096 : 256);
    PlayEnumerator(counts, codes, previous.empty() ? nullptr : &previousShape, plays).Run();
    return plays;
}

} // namespace VestranoFunc
