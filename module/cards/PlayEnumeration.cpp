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
    int Start = 0;     // runs: first position in RunOrder; triples with pairs: the triples'
    int PairStart = 0; // triples with pairs: first position of the pairs
    int Length = 0;    // runs, triples with pairs: number of ranks (of each)
    int Times = 0;     // runs: cards per rank
    int Triple = 0;    // triple with pair: the ranks
    int Pair = 0;
    int Ranks = 0;                                  // how many ranks it holds
    PlayShape Faces;                                // the type and strength of the play it forms
    std::array<std::uint8_t, LetterCount> Window{}; // runs: the ranks in RunOrder

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
            m_slotValues.resize(Slots);
            m_values.reserve(Slots / 2);
        }
        std::size_t i = (key * 0x9E3779B97F4A7C15ull) >> 40 & (Slots - 1);
        for (std::size_t probes = 0; probes < Slots; ++probes, i = (i + 1) & (Slots - 1)) {
            if (m_keys[i] == key)
                return m_values[m_slotValues[i]];
            if (m_keys[i] == 0) {
                if (m_values.size() * 2 >= Slots)
                    break;
                m_keys[i] = key;
                m_slotValues[i] = static_cast<std::uint16_t>(m_values.size());
                return m_values.emplace_back(complete());
            }
        }
        m_spare = complete();
        return m_spare;
    }

private:
    // A free lead of a full hand completes a few hundred cores; more are computed uncached.
    static constexpr std::size_t Slots = 1024;

    std::vector<std::uint64_t> m_keys;
    // Values are stored in the order they are computed, so that only the keys are cleared.
    std::vector<std::uint16_t> m_slotValues;
    std::vector<TCardString> m_values;
    TCardString m_spare;
};

struct Part {
    unsigned Mask;
    int Times;
};

LetterShape Make(TPlayType type, ShapeKind kind, std::initializer_list<Part> parts) {
    LetterShape shape;
    shape.Type = type;
    shape.Kind = kind;
    for (const Part &part : parts)
        shape.Add(static_cast<std::uint16_t>(part.Mask), part.Times);
    RankCounts faces;
    for (int rank = 0; rank < LetterCount; ++rank)
        faces.Add(rank, shape.Count[rank]);
    shape.Faces = ShapeOf(faces);
    shape.Ranks = std::popcount(static_cast<unsigned>(shape.Mask));
    return shape;
}

void AddRuns(std::vector<LetterShape> &shapes, TPlayType type, int times, int shortest,
             int longest) {
    for (int length = shortest; length <= longest; ++length) {
        // The two windows of thirteen ranks hold the same ranks.
        for (int start = 1; start <= (length == 13 ? 1 : 15 - length); ++start) {
            LetterShape shape = Make(type, ShapeKind::Run, {{RunWindow(start, length), times}});
            shape.Start = start;
            shape.Length = length;
            shape.Times = times;
            for (int i = 0; i < length; ++i)
                shape.Window[i] = static_cast<std::uint8_t>(RankAtPosition(start + i));
            shapes.push_back(shape);
        }
    }
}

// Every shape of a play, in the order the plays are listed. They depend on the rules alone,
// so they are built once.
std::vector<LetterShape> MakeShapes() {
    std::vector<LetterShape> shapes;
    for (int size = 1; size <= MaxBombSize; ++size) {
        const TPlayType type = size == 1   ? ptSingle
                               : size == 2 ? ptPair
                               : size == 3 ? ptTriple
                                           : ptBomb;
        for (int rank = 0; rank < LetterCount; ++rank)
            shapes.push_back(Make(type, ShapeKind::Repeated, {{1u << rank, size}}));
    }
    for (int triple = 0; triple < LetterCount; ++triple) {
        for (int pair = 0; pair < LetterCount; ++pair) {
            if (pair == triple)
                continue;
            LetterShape shape = Make(ptTripleWithPair, ShapeKind::TripleWithPair,
                                     {{1u << triple, 3}, {1u << pair, 2}});
            shape.Triple = triple;
            shape.Pair = pair;
            shapes.push_back(shape);
        }
    }
    AddRuns(shapes, ptStraight, 1, 5, 5);
    AddRuns(shapes, ptPairRun, 2, 2, 13);
    AddRuns(shapes, ptTripleRun, 3, 2, 9);
    for (int k = 2; k <= 5; ++k) {
        for (int triples = 1; triples <= 15 - k; ++triples) {
            const std::uint16_t tripleMask = RunWindow(triples, k);
            for (int pairs = 1; pairs <= 15 - k; ++pairs) {
                const std::uint16_t pairMask = RunWindow(pairs, k);
                if ((tripleMask & pairMask) != 0)
                    continue;
                LetterShape shape = Make(ptTriplesWithPairs, ShapeKind::TriplesWithPairs,
                                         {{tripleMask, 3}, {pairMask, 2}});
                shape.Start = triples;
                shape.PairStart = pairs;
                shape.Length = k;
                shapes.push_back(shape);
            }
        }
    }
    return shapes;
}

const std::vector<LetterShape> &AllShapes() {
    static const std::vector<LetterShape> shapes = MakeShapes();
    return shapes;
}

// The codes of one rank a hand holds, in hand order: two decks hold eight of a rank.
constexpr int MostOfARank = 8;
using RankCodes = std::array<char, MostOfARank>;

// A play's string under construction. Every write copies a fixed number of bytes, which the
// slack at the end absorbs, and the result is taken in one fixed copy: plain loops over a few
// bytes compile to library calls that cost more than the copies. The size is kept in a local
// while writing, since every character written could alias it.
class PlayBuffer {
public:
    // Appends, for each rank of mask from the lowest up, its first counts[rank] codes.
    template <class Counts>
    void PutRanks(const std::array<RankCodes, RankCount> &codes, const Counts &counts,
                  std::uint16_t mask) {
        int size = m_size;
        for (unsigned left = mask; left != 0; left &= left - 1) {
            const int rank = std::countr_zero(left);
            std::copy_n(codes[rank].begin(), MostOfARank, m_chars.begin() + size);
            size += counts[rank];
        }
        m_size = size;
    }
    // Appends, for each of the first length ranks of window, the letters have lacks of times.
    template <class Counts>
    void PutLacking(const std::array<std::uint8_t, LetterCount> &window, int length, int times,
                    const Counts &have) {
        int size = m_size;
        for (int i = 0; i < length; ++i) {
            const int rank = window[i];
            std::fill_n(m_chars.begin() + size, MostOfARank, Tables::RankLetterOfRank[rank]);
            size += times - have[rank];
        }
        m_size = size;
    }
    // Appends count (at most MostOfARank) copies of c.
    void append(std::size_t count, char c) {
        const int size = m_size;
        std::fill_n(m_chars.begin() + size, MostOfARank, c);
        m_size = size + static_cast<int>(count);
    }
    // Appends a string of at most MostOfARank bytes.
    void Append(const TCardString &text) {
        const std::string_view view = text.View();
        const int size = m_size;
        std::copy_n(view.data(), std::min<std::size_t>(view.size(), MostOfARank),
                    m_chars.begin() + size);
        m_size = size + static_cast<int>(view.size());
    }
    int Size() const { return m_size; }
    void Resize(int size) { m_size = size; }
    TCardString Str() const { return TCardString(m_chars, static_cast<std::size_t>(m_size)); }

private:
    // A play and the longest write after it.
    std::array<char, MaxPlaySize + 2 * MostOfARank> m_chars{};
    int m_size = 0;
};

class PlayEnumerator {
public:
    PlayEnumerator(const RankCounts &hand, const std::array<RankCodes, RankCount> &codes,
                   const PlayShape *previous, std::vector<TPlayOption> &plays)
        : m_hand(hand)
        , m_codes(codes)
        , m_previous(previous)
        , m_plays(plays)
        , m_small(hand.Count[SmallJokerRank])
        , m_big(hand.Count[BigJokerRank]) {
        for (int times = 1; times <= 3; ++times) {
            for (int position = 1; position <= RunPositions; ++position) {
                const int rank = RankAtPosition(position);
                m_lacking[times][position] =
                    m_lacking[times][position - 1] + std::max(times - hand.Count[rank], 0);
            }
        }
    }

    void Run() {
        JokerOnlyPlays();
        for (const LetterShape &shape : AllShapes()) {
            if (Wanted(shape.Type, shape.Size))
                Visit(shape);
        }
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
        const int lacking = Lacking(shape);
        // Only the completion builds triples with pairs, and never with four jokers.
        const int usable =
            shape.Kind == ShapeKind::TriplesWithPairs ? MaxJokersInTriplesWithPairs : MaxJokers;
        const int jokers = std::min({m_small + m_big, usable, shape.Size - 1});
        if (lacking > jokers || !Accepted(shape.Faces))
            return;
        if (lacking == 0) {
            const TCardString cards = CardsOf(shape.Count, shape.Mask).Str();
            Add(cards, cards);
        }
        if (jokers > 0)
            CoresOf(shape, jokers);
    }

    int Lacking(const LetterShape &shape) const {
        switch (shape.Kind) {
        case ShapeKind::Repeated: {
            const int rank = std::countr_zero(static_cast<unsigned>(shape.Mask));
            return std::max(shape.Size - m_hand.Count[rank], 0);
        }
        case ShapeKind::TripleWithPair:
            return std::max(3 - m_hand.Count[shape.Triple], 0) +
                   std::max(2 - m_hand.Count[shape.Pair], 0);
        case ShapeKind::Run:
            return WindowLacking(shape.Times, shape.Start, shape.Length);
        case ShapeKind::TriplesWithPairs:
            return WindowLacking(3, shape.Start, shape.Length) +
                   WindowLacking(2, shape.PairStart, shape.Length);
        }
        return 0;
    }

    // What the hand lacks of times cards of each rank of a window (no window holds a rank
    // twice).
    int WindowLacking(int times, int start, int length) const {
        return m_lacking[times][start + length - 1] - m_lacking[times][start - 1];
    }

    // Every core of this shape the hand holds: the shape with 1..most cards taken out, at
    // least those the hand lacks.
    void CoresOf(const LetterShape &shape, int most) {
        m_shape = &shape;
        LimitCores();
        int forced = 0;
        int emptied = 0;
        std::uint16_t present = shape.Mask;
        m_core = shape.Count;
        for (unsigned left = shape.Mask; left != 0; left &= left - 1) {
            const int rank = std::countr_zero(left);
            const int least = std::max(shape.Count[rank] - m_hand.Count[rank], 0);
            forced += least;
            m_core[rank] -= least;
            if (m_core[rank] == 0) {
                ++emptied;
                present = static_cast<std::uint16_t>(present & ~(1u << rank));
            }
        }
        if (emptied > m_mostEmptied || (m_kept >= 0 && m_core[m_kept] == 0))
            return;
        for (int jokers = std::max(forced, 1); jokers <= most; ++jokers)
            TakeOut(present, jokers - forced, jokers, emptied, present);
    }

    // What every core the search can list for this shape must keep, so that the others are
    // never built: how many of the shape's ranks may go entirely (the search's table asks
    // for a number of groups), and for a run below the top the rank at its bottom (without
    // it a higher window would hold the core).
    void LimitCores() {
        const LetterShape &shape = *m_shape;
        const int ranks = shape.Ranks;
        m_shapeRanks = ranks;
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

    // Takes extra more cards out of the core, from the ranks in candidates upwards; present
    // holds the ranks the core still has.
    void TakeOut(unsigned candidates, int extra, int jokers, int emptied, std::uint16_t present) {
        if (extra == 0) {
            Found(jokers, emptied, present);
            return;
        }
        for (unsigned left = candidates; left != 0; left &= left - 1) {
            const int rank = std::countr_zero(left);
            const int before = m_core[rank];
            const int most = std::min(extra, rank == m_kept ? before - 1 : before);
            for (int taken = 1; taken <= most; ++taken) {
                const bool empties = taken == before;
                if (emptied + empties > m_mostEmptied)
                    break;
                m_core[rank] = before - taken;
                const auto still =
                    empties ? static_cast<std::uint16_t>(present & ~(1u << rank)) : present;
                // Most cores are complete one rank down: no call for them.
                if (taken == extra)
                    Found(jokers, emptied + empties, still);
                else
                    TakeOut(left & (left - 1), extra - taken, jokers, emptied + empties, still);
            }
            m_core[rank] = before;
        }
    }

    void Found(int jokers, int emptied, std::uint16_t present) {
        m_coreMask = present;
        m_coreGroups = m_shapeRanks - emptied;
        CoreFound(jokers);
    }

    // Completes faces (holding the core) to the candidate the joker search lists for the
    // core, which MayBeListed accepted.
    void CompleteFaces(PlayBuffer &faces) const {
        const LetterShape &shape = *m_shape;
        switch (shape.Kind) {
        case ShapeKind::Repeated: {
            // Pairs and triples repeat the core's first code, bombs its rank letter.
            const char letter =
                shape.Size <= 3 ? m_codes[m_coreTop].front() : Tables::RankLetterOfRank[m_coreTop];
            faces.Resize(0);
            for (int written = 0; written < shape.Size; written += MostOfARank)
                faces.append(static_cast<std::size_t>(std::min(shape.Size - written, MostOfARank)),
                             letter);
            return;
        }
        case ShapeKind::TripleWithPair:
            faces.append(static_cast<std::size_t>(3 - m_core[shape.Triple]),
                         Tables::RankLetterOfRank[shape.Triple]);
            faces.append(static_cast<std::size_t>(2 - m_core[shape.Pair]),
                         Tables::RankLetterOfRank[shape.Pair]);
            return;
        case ShapeKind::Run:
        case ShapeKind::TriplesWithPairs:
            // Within a window every rank stands once, so the window lacks, rank by rank,
            // what the core has of it less than the run's cards per rank.
            if (m_runListed)
                faces.PutLacking(shape.Window, shape.Length, shape.Times, m_core);
            else
                faces.Append(*m_completion);
            return;
        }
    }

    // Decides, before any string is built, whether the search can list the shape for the
    // core: m_runListed for the run builders, m_completion for triples with pairs.
    bool MayBeListed(int jokers) {
        const LetterShape &shape = *m_shape;
        const std::uint16_t mask = m_coreMask;
        const int groups = m_coreGroups;
        m_coreTop = std::countr_zero(static_cast<unsigned>(mask));
        m_runListed = false;
        m_completion = nullptr;
        switch (shape.Kind) {
        case ShapeKind::Repeated:
            return true;
        case ShapeKind::TripleWithPair:
            return groups == 2;
        case ShapeKind::Run: {
            // The jokers stand for the cards taken out, so with more ranks left than jokers
            // one rank keeps all the run's cards.
            const int longest = groups > jokers ? shape.Times : Longest();
            m_runListed =
                RunBuilt(shape.Size, groups, longest) && FirstWindowHolding(mask) == shape.Start;
            // Following a run, the triples-with-pairs completion may return one.
            if (!m_runListed && m_previous != nullptr)
                m_completion = Completion(jokers, groups, longest);
            return m_runListed || m_completion != nullptr;
        }
        case ShapeKind::TriplesWithPairs:
            m_completion = Completion(jokers, groups, Longest());
            return m_completion != nullptr;
        }
        return false;
    }

    int Longest() const {
        int longest = 0;
        for (unsigned left = m_coreMask; left != 0; left &= left - 1)
            longest = std::max(longest, m_core[std::countr_zero(left)]);
        return longest;
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
        // A core that keeps the bottom rank of a run below the top fits no higher window,
        // unless that rank is the ace, which also stands at the top.
        if (m_kept >= 0 && m_kept != AceRank)
            return m_shape->Start;
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
        for (unsigned left = m_coreMask; left != 0; left &= left - 1) {
            const int rank = std::countr_zero(left);
            key |= static_cast<std::uint64_t>(m_core[rank]) << (4 * rank);
        }
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
        PlayBuffer cards = CardsOf(m_core, m_coreMask);
        PlayBuffer faces = cards;
        CompleteFaces(faces);
        const TCardString facesText = faces.Str();
        const int coreSize = cards.Size();
        // In locals: every play written could alias the members.
        const int fewest = std::max(0, jokers - m_big);
        const int most = std::min(jokers, m_small);
        for (int small = fewest; small <= most; ++small) {
            cards.Resize(coreSize);
            cards.append(static_cast<std::size_t>(small), '0');
            cards.append(static_cast<std::size_t>(jokers - small), '1');
            m_plays.emplace_back(cards.Str(), facesText);
        }
    }

    PlayBuffer CardsOf(const LetterCounts &counts, std::uint16_t mask) const {
        PlayBuffer cards;
        cards.PutRanks(m_codes, counts, mask);
        return cards;
    }

    void Add(const TCardString &cards, const TCardString &faces) {
        m_plays.push_back({cards, faces});
    }

    const RankCounts &m_hand;
    const std::array<RankCodes, RankCount> &m_codes;
    const PlayShape *m_previous;
    std::vector<TPlayOption> &m_plays;
    // By cards per rank, what the hand lacks of that many of each rank up to a position of
    // RunOrder.
    std::array<std::array<int, RunPositions + 1>, 4> m_lacking{};
    int m_small;
    int m_big;
    const LetterShape *m_shape = nullptr;
    int m_mostEmptied = 0;
    int m_kept = -1;
    int m_shapeRanks = 0;
    LetterCounts m_core{};
    int m_coreGroups = 0;
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
    std::array<RankCodes, RankCount> codes{};
    for (const char c : hand) {
        const int index = CardIndexOf(c);
        if (index < 0 || ++copies[index] > CopiesPerDeck)
            return plays;
        const int rank = Tables::At(Tables::CardRanks, c);
        codes[rank][counts.Count[rank]] = c;
        counts.Add(rank);
    }
    const PlayShape previousShape = ShapeOf(previous);
    if (!previous.empty() && previousShape.Type == ptRocket)
        return plays;
    plays.reserve(previous.empty() ? 4096 : 256);
    PlayEnumerator(counts, codes, previous.empty() ? nullptr : &previousShape, plays).Run();
    return plays;
}

} // namespace VestranoFunc
