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
#include <cstring>
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
    int Ranks = 0;            // how many ranks it holds
    std::uint64_t Packed = 0; // Count, four bits a rank (PackCount)
    PlayShape Faces;          // the type and strength of the play it forms

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

// Four bits for each rank's count, lowest rank first: counts up to 15 compared and added at once.
constexpr std::uint64_t PackCount(int rank, int count) {
    return static_cast<std::uint64_t>(count) << (4 * rank);
}
constexpr int CountOf(std::uint64_t counts, int rank) {
    return static_cast<int>(counts >> (4 * rank) & 15u);
}

// The letters that complete a core, and their counts packed.
struct Completed {
    LetterWord Letters;
    std::uint64_t Added = 0;
};

// Remembers the triples-with-pairs completion of each core (keyed by its letters and
// jokers); a core is part of many shapes.
class CompletionCache {
public:
    // The completion of key, computing it with complete() the first time.
    template <class Complete> const Completed &Get(std::uint64_t key, Complete &&complete) {
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
    std::vector<Completed> m_values;
    Completed m_spare;
};

struct Part {
    unsigned Mask;
    int Times;
};

// A core under construction: its counts (packed), the ranks it still holds, those it holds
// fewer of than the shape, and how many of the shape's ranks it lost.
struct Core {
    std::uint64_t Counts = 0;
    std::uint16_t Present = 0;
    std::uint16_t ShortOf = 0;
    int Emptied = 0;
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
    for (int rank = 0; rank < LetterCount; ++rank)
        shape.Packed += PackCount(rank, shape.Count[rank]);
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

// Eight bytes as one word, the first lowest.
inline std::uint64_t WordAt(const char *bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}
constexpr std::uint64_t RepeatedWord(char c) {
    return 0x0101010101010101ull * static_cast<unsigned char>(c);
}
// The low count (0..7) bytes of a word.
constexpr std::uint64_t LowBytes(int count) {
    return (std::uint64_t{1} << (8 * count)) - 1;
}

// Room for a play's string and a word written at its end.
constexpr std::size_t StageBytes = 40;
static_assert(StageBytes >= MaxPlaySize + sizeof(std::uint64_t));
using StageChars = std::array<char, StageBytes>;

// A core with jokers makes one play for each number of small jokers among them.
constexpr int MostPlaysOfACore = 3;

// The jokers of a play by the number of small ones, which come first: '0' is one below '1'.
constexpr auto JokerWords = [] {
    std::array<std::uint64_t, MaxJokers + 1> words{};
    for (int small = 0; small <= MaxJokers; ++small)
        words[small] = RepeatedWord('1') - (RepeatedWord(1) & LowBytes(small));
    return words;
}();

// The plays of one core, staged before they go to the list. A string written in pieces and
// at once copied makes the processor wait, at each wide load, for the narrow stores it
// covers; so the plays stay staged until the next core is found, and their strings are then
// copied in one piece each. Their places in the list are taken at once, so they keep their
// order. Each piece of a string is written a whole word at a time at its end, of which the
// next piece overwrites what is not the string's.
struct StagedPlays {
    std::size_t First = 0; // the place of the first in the list
    int Count = 0;         // 0: none staged
    int CardsSize = 0;
    int FacesSize = 0;
    // The faces, then the cards of each play: they differ in the jokers (small ones first).
    std::array<StageChars, 1 + MostPlaysOfACore> Texts{};

    // Appends, to the texts from First to Last, all of length size, the count (0..8) low
    // bytes of word; returns the new length.
    template <int First, int Last> int Append(int size, std::uint64_t word, int count) {
        for (int text = First; text <= Last; ++text)
            std::memcpy(Texts[text].data() + size, &word, sizeof word);
        return size + count;
    }
};

// Appends to those texts, for each rank of mask from the lowest up, its first codes as many
// as counts (packed) holds; returns the new length.
template <int First, int Last>
int PutRanks(StagedPlays &staged, int size, const std::array<RankCodes, RankCount> &codes,
             std::uint64_t counts, std::uint16_t mask) {
    for (unsigned left = mask; left != 0; left &= left - 1) {
        const int rank = std::countr_zero(left);
        size = staged.Append<First, Last>(size, WordAt(codes[rank].data()), CountOf(counts, rank));
    }
    return size;
}

// Appends count copies of c to the faces.
inline int PutRepeated(StagedPlays &staged, int size, char c, int count) {
    for (int written = 0; written < count; written += MostOfARank)
        size = staged.Append<0, 0>(size, RepeatedWord(c), std::min(count - written, MostOfARank));
    return size;
}

class PlayEnumerator {
public:
    PlayEnumerator(const RankCounts &hand, const std::array<RankCodes, RankCount> &codes,
                   const PlayShape *previous, std::vector<TPlayOption> &plays)
        : m_hand(hand)
        , m_codes(codes)
        , m_previous(previous)
        , m_plays(plays)
        , m_listed(plays.size())
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

    // Appends the plays to the list.
    void Run() {
        JokerOnlyPlays();
        for (const LetterShape &shape : AllShapes()) {
            if (Wanted(shape.Type, shape.Size))
                Visit(shape);
        }
        Unstage(m_staged);
        m_plays.resize(m_listed);
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
            StagedPlays &staged = Stage(1);
            const int size = PutRanks<0, 1>(staged, 0, m_codes, shape.Packed, shape.Mask);
            staged.CardsSize = size;
            staged.FacesSize = size;
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
        Core core{shape.Packed, shape.Mask, 0, 0};
        for (unsigned left = shape.Mask; left != 0; left &= left - 1) {
            const int rank = std::countr_zero(left);
            const int least = std::max(shape.Count[rank] - m_hand.Count[rank], 0);
            forced += least;
            core.Counts -= PackCount(rank, least);
            if (least > 0)
                core.ShortOf = static_cast<std::uint16_t>(core.ShortOf | 1u << rank);
            if (least == shape.Count[rank]) {
                ++core.Emptied;
                core.Present = static_cast<std::uint16_t>(core.Present & ~(1u << rank));
            }
        }
        if (core.Emptied > m_mostEmptied || (m_kept >= 0 && CountOf(core.Counts, m_kept) == 0))
            return;
        for (int jokers = std::max(forced, 1); jokers <= most; ++jokers)
            TakeOut(core.Present, jokers - forced, jokers, core);
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

    // Takes extra more cards out of the core, from the ranks in candidates upwards.
    void TakeOut(unsigned candidates, int extra, int jokers, Core core) {
        if (extra == 0) {
            Found(jokers, core);
            return;
        }
        for (unsigned left = candidates; left != 0; left &= left - 1) {
            const int rank = std::countr_zero(left);
            const int before = CountOf(core.Counts, rank);
            const int most = std::min(extra, rank == m_kept ? before - 1 : before);
            for (int taken = 1; taken <= most; ++taken) {
                const bool empties = taken == before;
                if (core.Emptied + empties > m_mostEmptied)
                    break;
                Core smaller = core;
                smaller.Counts -= PackCount(rank, taken);
                smaller.ShortOf = static_cast<std::uint16_t>(core.ShortOf | 1u << rank);
                if (empties) {
                    smaller.Present = static_cast<std::uint16_t>(core.Present & ~(1u << rank));
                    ++smaller.Emptied;
                }
                // Most cores are complete one rank down: no call for them.
                if (taken == extra)
                    Found(jokers, smaller);
                else
                    TakeOut(left & (left - 1), extra - taken, jokers, smaller);
            }
        }
    }

    void Found(int jokers, Core core) {
        m_core = core.Counts;
        m_coreMask = core.Present;
        m_shortOf = core.ShortOf;
        m_coreGroups = m_shapeRanks - core.Emptied;
        CoreFound(jokers);
    }

    // Appends to the faces, which hold the core, what completes them to the candidate the
    // joker search lists for it, which MayBeListed accepted (repeated ranks apart); returns
    // their new length.
    int PutCompletion(StagedPlays &staged, int size) const {
        const LetterShape &shape = *m_shape;
        const auto putLetters = [&](int rank, int count) {
            size = staged.Append<0, 0>(size, RepeatedWord(Tables::RankLetterOfRank[rank]), count);
        };
        switch (shape.Kind) {
        case ShapeKind::Repeated:
            break;
        case ShapeKind::TripleWithPair:
            putLetters(shape.Triple, 3 - CountOf(m_core, shape.Triple));
            putLetters(shape.Pair, 2 - CountOf(m_core, shape.Pair));
            break;
        case ShapeKind::Run:
        case ShapeKind::TriplesWithPairs:
            if (m_runListed) {
                // The window's ranks stand from the king down, the ace above them in the top
                // window and below them otherwise; each lacks what the core has of it less
                // than the run's cards per rank, which only the ranks it is short of do.
                const auto putLacking = [&](int rank) {
                    putLetters(rank, shape.Times - CountOf(m_core, rank));
                };
                const bool aceOnTop = shape.Start == 1;
                const bool aceShort = (m_shortOf >> AceRank & 1u) != 0;
                if (aceShort && aceOnTop)
                    putLacking(AceRank);
                for (unsigned left = m_shortOf & ~(1u << AceRank); left != 0;) {
                    const int rank = std::bit_width(left) - 1;
                    left &= ~(1u << rank);
                    putLacking(rank);
                }
                if (aceShort && !aceOnTop)
                    putLacking(AceRank);
            } else {
                size = staged.Append<0, 0>(size, m_completion->Word, m_completion->Count);
            }
            break;
        }
        return size;
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
            longest = std::max(longest, CountOf(m_core, std::countr_zero(left)));
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
    const LetterWord *Completion(int jokers, int k, int L) {
        const int size = m_shape->Size;
        const int fewestGroups = size == 10 ? 3 : size == 15 ? 5 : size == 20 ? 7 : 9;
        if (size % 5 != 0 || size < 10 || k < fewestGroups || L > 3 ||
            jokers > MaxJokersInTriplesWithPairs)
            return nullptr;
        const std::uint64_t counts = m_core;
        // The counts take 52 bits, the jokers go above them.
        const std::uint64_t key = counts | static_cast<std::uint64_t>(jokers) << 60;
        const Completed &completed = m_completions.Get(key, [&] {
            Completed result;
            if (m_previous == nullptr) {
                result.Letters = LeadingTriplesWithPairsWord(counts, jokers);
            } else {
                LetterCounts letters{};
                for (int rank = 0; rank < LetterCount; ++rank)
                    letters[rank] = CountOf(counts, rank);
                result.Letters = TriplesWithPairsWord(letters, m_previous, jokers);
            }
            for (int i = 0; i < result.Letters.Count; ++i) {
                const int letter = static_cast<int>(result.Letters.Word >> (8 * i) & 0xFF);
                result.Added += PackCount(letter - 'A', 1);
            }
            return result;
        });
        if (completed.Letters.Count == 0 || counts + completed.Added != m_shape->Packed)
            return nullptr;
        return &completed.Letters;
    }

    void CoreFound(int jokers) {
        if (!MayBeListed(jokers))
            return;
        // One play for each number of small jokers among them; they share their faces, and
        // but for repeated ranks the faces begin with the cards.
        const int fewest = std::max(0, jokers - m_big);
        const int count = std::min(jokers, m_small) - fewest + 1;
        StagedPlays &staged = Stage(count);
        switch (count) {
        case 1:
            StageCore<1>(staged, jokers, fewest);
            break;
        case 2:
            StageCore<2>(staged, jokers, fewest);
            break;
        default:
            StageCore<MostPlaysOfACore>(staged, jokers, fewest);
            break;
        }
    }

    // Stages the strings of the core's plays, as many as Plays, the first with fewest small
    // jokers: only the texts of those plays are written.
    template <int Plays> void StageCore(StagedPlays &staged, int jokers, int fewest) {
        int size = 0;
        if (m_shape->Kind == ShapeKind::Repeated) {
            // Pairs and triples repeat the core's first code, bombs its rank letter.
            const int faces = m_shape->Size;
            PutRepeated(staged, 0,
                        faces <= 3 ? m_codes[m_coreTop].front()
                                   : Tables::RankLetterOfRank[m_coreTop],
                        faces);
            staged.FacesSize = faces;
            size = PutRanks<1, Plays>(staged, 0, m_codes, m_core, m_coreMask);
        } else {
            size = PutRanks<0, Plays>(staged, 0, m_codes, m_core, m_coreMask);
            staged.FacesSize = PutCompletion(staged, size);
        }
        staged.Append<1, 1>(size, JokerWords[fewest], jokers);
        if constexpr (Plays >= 2)
            staged.Append<2, 2>(size, JokerWords[fewest + 1], jokers);
        if constexpr (Plays >= 3)
            staged.Append<3, 3>(size, JokerWords[fewest + 2], jokers);
        staged.CardsSize = size + jokers;
    }

    void Add(const TCardString &cards, const TCardString &faces) {
        m_plays[Reserve(1)] = {cards, faces};
    }

    // Stages count plays, taking their places in the list; the plays staged before go to the
    // list first.
    StagedPlays &Stage(int count) {
        Unstage(m_staged);
        m_staged.First = Reserve(static_cast<std::size_t>(count));
        m_staged.Count = count;
        return m_staged;
    }

    void Unstage(StagedPlays &staged) {
        for (int copy = 0; copy < staged.Count; ++copy) {
            TPlayOption &play = m_plays[staged.First + static_cast<std::size_t>(copy)];
            play.Cards.Assign(staged.Texts[static_cast<std::size_t>(1 + copy)],
                              static_cast<std::size_t>(staged.CardsSize));
            play.Faces.Assign(staged.Texts[0], static_cast<std::size_t>(staged.FacesSize));
        }
        staged.Count = 0;
    }

    // The place of the first of count more plays. The list grows a block of cleared plays at
    // a time, rather than a play at a time, and is cut to the plays listed at the end.
    std::size_t Reserve(std::size_t count) {
        const std::size_t first = m_listed;
        m_listed += count;
        if (m_listed > m_plays.size())
            m_plays.resize(m_listed + GrowthBlock);
        return first;
    }

    static constexpr std::size_t GrowthBlock = 256;

    const RankCounts &m_hand;
    const std::array<RankCodes, RankCount> &m_codes;
    const PlayShape *m_previous;
    std::vector<TPlayOption> &m_plays;
    std::size_t m_listed; // plays of m_plays written
    // By cards per rank, what the hand lacks of that many of each rank up to a position of
    // RunOrder.
    std::array<std::array<int, RunPositions + 1>, 4> m_lacking{};
    int m_small;
    int m_big;
    const LetterShape *m_shape = nullptr;
    int m_mostEmptied = 0;
    int m_kept = -1;
    int m_shapeRanks = 0;
    std::uint64_t m_core = 0; // packed counts
    int m_coreGroups = 0;
    int m_coreTop = 0;
    std::uint16_t m_coreMask = 0;
    std::uint16_t m_shortOf = 0; // the shape's ranks the core has fewer of
    bool m_runListed = false;
    const LetterWord *m_completion = nullptr;
    CompletionCache m_completions;
    StagedPlays m_staged;
};

} // namespace

void EnumeratePlays(std::string_view hand, std::string_view previous,
                    std::vector<TPlayOption> &plays) {
    plays.clear();
    std::array<int, CardCount> copies{};
    RankCounts counts;
    std::array<RankCodes, RankCount> codes{};
    for (const char c : hand) {
        const int index = CardIndexOf(c);
        if (index < 0 || ++copies[index] > CopiesPerDeck)
            return;
        const int rank = Tables::At(Tables::CardRanks, c);
        codes[rank][counts.Count[rank]] = c;
        counts.Add(rank);
    }
    const PlayShape previousShape = ShapeOf(previous);
    if (!previous.empty() && previousShape.Type == ptRocket)
        return;
    // A free lead of a full hand lists a few thousand plays.
    plays.reserve(previous.empty() ? 4096 : 256);
    PlayEnumerator(counts, codes, previous.empty() ? nullptr : &previousShape, plays).Run();
}

std::vector<TPlayOption> EnumeratePlays(std::string_view hand, std::string_view previous) {
    std::vector<TPlayOption> plays;
    EnumeratePlays(hand, previous, plays);
    return plays;
}

} // namespace VestranoFunc
