// The candidate plays of a selection with jokers, in the order the choices show them.

#include "cards/CardTables.h"
#include "cards/JokerSearch.h"
#include "cards/VestranoFunc.h"

namespace VestranoFunc {

using namespace Tables;
using Detail::PlayShape;

namespace {

class CandidateBuilder {
public:
    CandidateBuilder(std::string_view core, int jokers, const PlayShape *previous,
                     Detail::InterpretationList &list)
        : m_core(core)
        , m_jokers(jokers)
        , m_size(static_cast<int>(core.size()) + jokers)
        , m_previous(previous)
        , m_list(list) {
        Detail::CountRanks(core, m_counts);
        for (int rank = 0; rank < Detail::LetterCount; ++rank)
            m_letters[rank] = m_counts.Count[rank];
        const Detail::RankCounts &counts = m_counts;
        for (int rank = 0; rank < Detail::RankCount; ++rank) {
            const int count = counts.Count[rank];
            if (count == 0)
                continue;
            ++m_groups;
            if (count > m_longest)
                m_longest = count;
        }
        OrderTwoGroups(counts);
    }

    void Build() {
        const int k = m_groups;
        const int L = m_longest;
        switch (m_size) {
        case 2:
            Repeated(m_core.front(), ptPair);
            return;
        case 3:
            if (m_core.size() == 1 || (m_core.size() == 2 && k == 1))
                Repeated(m_core.front(), ptTriple);
            return;
        case 4:
            Bomb();
            if (k <= 2)
                PairRun(2);
            return;
        case 5:
            Bomb();
            if (k == 2) {
                TripleWithPair(m_first, m_second);
                if (L < 3)
                    TripleWithPair(m_second, m_first);
            }
            if (k >= 2 && L == 1)
                Straight();
            return;
        case 6:
            Bomb();
            if (k >= 2 && L <= 2)
                PairRun(3);
            if (L >= 2 && L <= 3)
                TripleRun(2);
            return;
        case 7:
        case 11:
            Bomb();
            return;
        case 8:
            Bomb();
            if (k >= 3 && L <= 2)
                PairRun(4);
            return;
        case 9:
            Bomb();
            if (k >= 2 && L >= 2 && L <= 3)
                TripleRun(3);
            return;
        case 10:
            Bomb();
            if (k >= 3 && L <= 3)
                TriplesWithPairs();
            if (k >= 3 && L == 2)
                PairRun(5);
            return;
        case 12:
            Bomb();
            if (k >= 3 && L == 3)
                TripleRun(4);
            if (k >= 5 && L == 2)
                PairRun(6);
            return;
        default:
            BuildLong(k, L);
            return;
        }
    }

private:
    void BuildLong(int k, int L) {
        switch (m_size) {
        case 15:
            if (k >= 4 && L == 3)
                TripleRun(5);
            if (k >= 5 && L <= 3)
                TriplesWithPairs();
            return;
        case 18:
            if (k >= 5 && L == 3)
                TripleRun(6);
            if (k >= 8 && L == 2)
                PairRun(9);
            return;
        case 20:
            if (k >= 9 && L == 2)
                PairRun(10);
            if (k >= 7 && L <= 3)
                TriplesWithPairs();
            return;
        case 24:
            if (k >= 11 && L == 2)
                PairRun(12);
            if (k >= 7 && L == 3)
                TripleRun(8);
            return;
        case 25:
            if (k >= 9 && L <= 3)
                TriplesWithPairs();
            return;
        case 21:
        case 27:
            if (k >= m_size / 3 - 1 && L == 3)
                TripleRun(m_size / 3);
            return;
        case 14:
        case 16:
        case 22:
        case 26:
            if (k >= m_size / 2 - 1 && L == 2)
                PairRun(m_size / 2);
            return;
        default:
            return;
        }
    }

    // The two groups of a two-rank core in group order: longer first, then stronger, with
    // the ace low when one of them is a 2.
    void OrderTwoGroups(const Detail::RankCounts &counts) {
        if (m_groups != 2)
            return;
        int ranks[2] = {-1, -1};
        for (int rank = 0, found = 0; rank < Detail::RankCount; ++rank) {
            if (counts.Count[rank] > 0)
                ranks[found++] = rank;
        }
        const int a = counts.Count[ranks[0]];
        const int b = counts.Count[ranks[1]];
        bool firstIsA = a > b;
        if (a == b) {
            const bool lowAce = ranks[0] == Detail::TwoRank || ranks[1] == Detail::TwoRank;
            const ByteTable &positions = lowAce ? LowAceOrderPositions : RankOrderPositions;
            firstIsA = At(positions, RankLetterOfRank[ranks[0]]) <
                       At(positions, RankLetterOfRank[ranks[1]]);
        }
        m_first = RankLetterOfRank[ranks[firstIsA ? 0 : 1]];
        m_second = RankLetterOfRank[ranks[firstIsA ? 1 : 0]];
    }

    // Every candidate counts as built, whether it fits and is listed or not.
    void Building(TPlayType type) { m_list.Last = type; }

    void Offer(const TCardString &candidate, const Detail::RankCounts &ranks, TPlayType type) {
        if (candidate.Empty())
            return;
        const bool listed = m_previous == nullptr
                                ? type != ptInvalid
                                : Detail::Compare(Detail::ShapeOf(ranks), *m_previous) > 0;
        if (listed && m_list.Count < static_cast<int>(m_list.Items.size()))
            m_list.Items[m_list.Count++] = {candidate, type};
    }

    void Repeated(char letter, TPlayType type) {
        Building(type);
        TCardString candidate;
        candidate.Append(static_cast<std::size_t>(m_size), letter);
        Detail::RankCounts ranks;
        ranks.Add(At(CardRanks, letter), m_size);
        Offer(candidate, ranks, type);
    }

    void Bomb() {
        if (m_groups == 1)
            Repeated(RankOf(m_core.front()), ptBomb);
    }

    // The wanted ranks, triple's three times and then the pair's twice, less the ranks the
    // core has (two ranks only), appended to the core.
    void TripleWithPair(char triple, char pair) {
        Building(ptTripleWithPair);
        TCardString candidate(m_core);
        Detail::RankCounts ranks = m_counts;
        const auto want = [&](char letter, int times) {
            const int rank = At(CardRanks, letter);
            for (int k = m_counts.Count[rank]; k < times; ++k) {
                candidate.Append(letter);
                ranks.Add(rank);
            }
        };
        want(triple, 3);
        want(pair, 2);
        Offer(candidate, ranks, ptTripleWithPair);
    }

    void Run(int length, int times, TPlayType type) {
        Building(type);
        const int start = Detail::FirstFittingWindow(length, times, m_letters, m_jokers);
        if (start == 0)
            return;
        TCardString candidate(m_core);
        Detail::AppendMissing(start, length, times, m_letters, candidate);
        Detail::RankCounts ranks = m_counts;
        for (std::size_t i = m_core.size(); i < candidate.Size(); ++i)
            ranks.Add(candidate.View()[i] - 'A');
        Offer(candidate, ranks, type);
    }

    void PairRun(int pairs) { Run(pairs, 2, ptPairRun); }
    void TripleRun(int triples) { Run(triples, 3, ptTripleRun); }
    void Straight() { Run(5, 1, ptStraight); }

    void TriplesWithPairs() {
        Building(ptTriplesWithPairs);
        const TCardString letters =
            Detail::TriplesWithPairsLetters(m_letters, m_previous, m_jokers);
        if (letters.Empty())
            return;
        TCardString candidate(m_core);
        candidate.Append(letters.View());
        Detail::RankCounts ranks = m_counts;
        for (const char letter : letters.View())
            ranks.Add(letter - 'A');
        Offer(candidate, ranks, ptTriplesWithPairs);
    }

    std::string_view m_core;
    int m_jokers;
    int m_size;
    const PlayShape *m_previous;
    Detail::InterpretationList &m_list;
    Detail::RankCounts m_counts;
    Detail::LetterCounts m_letters{};
    int m_groups = 0;
    int m_longest = 0;
    char m_first = 0;
    char m_second = 0;
};

// RemoveCards (selection, wild) for a selection of at most one play's length, without
// allocating: each wild byte takes out the first occurrence still left.
TCardString WithoutWild(std::string_view selection, std::string_view wild) {
    static_assert(Detail::MaxPlaySize < 32, "a selection's bytes fit a 32-bit mask");
    std::uint32_t removed = 0;
    for (const char w : wild) {
        for (std::size_t i = 0; i < selection.size(); ++i) {
            if (selection[i] == w && !(removed >> i & 1u)) {
                removed |= 1u << i;
                break;
            }
        }
    }
    TCardString core;
    for (std::size_t i = 0; i < selection.size(); ++i) {
        if (!(removed >> i & 1u))
            core.Append(selection[i]);
    }
    return core;
}

} // namespace

namespace Detail {

void Interpret(std::string_view core, int jokers, const PlayShape *previous,
               InterpretationList &list) {
    list.Count = 0;
    list.Last = ptInvalid;
    CandidateBuilder(core, jokers, previous, list).Build();
}

} // namespace Detail

TPlayType JokerInterpretations(std::string_view selection, std::string_view wild,
                               std::string_view previous, std::vector<std::string> *list) {
    if (list == nullptr)
        return ptInvalid;
    list->clear();
    // Selections longer than any play have no candidates; a selection that is not made of
    // cards, or holds nothing but wild cards, stands for nothing.
    if (selection.size() < 2 || selection.size() > Detail::MaxPlaySize || !IsCardString(selection))
        return ptInvalid;
    const TCardString core = WithoutWild(selection, wild);
    const int jokers = static_cast<int>(selection.size() - core.Size());
    if (jokers == 0 || core.Empty())
        return ptInvalid;
    const PlayShape previousShape = Detail::ShapeOf(previous);
    Detail::InterpretationList found;
    Detail::Interpret(core.View(), jokers, previous.empty() ? nullptr : &previousShape, found);
    for (int i = 0; i < found.Count; ++i)
        list->emplace_back(found.Items[i].Faces.View());
    return found.Last;
}

} // namespace VestranoFunc
