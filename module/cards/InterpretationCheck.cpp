// The server's check of the faces a client sends with its cards.

#include "cards/JokerSearch.h"
#include "cards/PlayShape.h"
#include "cards/VestranoFunc.h"

#include <algorithm>

namespace VestranoFunc {

using namespace Detail;

namespace {

// The triples-with-pairs completion depends on the play to beat, which the server does not
// take from the client: its result is tried against one play of every kind it can meet
// (same size, type pair run, triple run or triples with pairs, each top rank, with and
// without a 2), which decides all it can return.
template <class Visit> bool AnySequencePlay(int size, Visit &&visit) {
    const auto offer = [&](TPlayType type, std::uint16_t keyMask, std::uint16_t all) {
        PlayShape shape;
        shape.Type = type;
        shape.Size = size;
        shape.Key = RunTop(keyMask);
        shape.HasTwo = (all & (1u << TwoRank)) != 0;
        return visit(shape);
    };
    for (int start = 1; start <= RunPositions; ++start) {
        if (size % 2 == 0 && start <= 15 - size / 2 &&
            offer(ptPairRun, RunWindow(start, size / 2), RunWindow(start, size / 2)))
            return true;
        if (size % 3 == 0 && start <= 15 - size / 3 &&
            offer(ptTripleRun, RunWindow(start, size / 3), RunWindow(start, size / 3)))
            return true;
        const int k = size / 5;
        if (size % 5 != 0 || start > 15 - k)
            continue;
        for (int pairs = 1; pairs <= 15 - k; ++pairs) {
            const std::uint16_t triples = RunWindow(start, k);
            const std::uint16_t pairMask = RunWindow(pairs, k);
            if ((triples & pairMask) == 0 &&
                offer(ptTriplesWithPairs, triples, static_cast<std::uint16_t>(triples | pairMask)))
                return true;
        }
    }
    return false;
}

// Whether the joker search runs the triples-with-pairs completion for this core.
bool SearchesTriplesWithPairs(int size, std::string_view core) {
    RankCounts counts;
    CountRanks(core, counts);
    int groups = 0;
    int longest = 0;
    for (const int count : counts.Count) {
        groups += count > 0;
        longest = std::max(longest, count);
    }
    const int fewestGroups = size == 10 ? 3 : size == 15 ? 5 : size == 20 ? 7 : 9;
    return size % 5 == 0 && size >= 10 && size <= 25 && groups >= fewestGroups && longest <= 3;
}

} // namespace

bool IsValidInterpretation(std::string_view cards, std::string_view faces) {
    if (cards.size() != faces.size() || !IsCardString(cards) || !IsCardString(faces))
        return false;
    const std::string core = RemoveCards(cards, WildCards);
    const int jokers = static_cast<int>(cards.size() - core.size());
    if (jokers == 0 || core.empty())
        return faces == cards;
    if (cards.size() > MaxPlaySize)
        return false;
    InterpretationList lead;
    Interpret(core, jokers, nullptr, lead);
    for (int i = 0; i < lead.Count; ++i) {
        if (lead.Items[i].Faces == faces)
            return true;
    }
    const int size = static_cast<int>(cards.size());
    if (!SearchesTriplesWithPairs(size, core) || faces.substr(0, core.size()) != core)
        return false;
    const std::string_view letters = faces.substr(core.size());
    const LetterCounts coreLetters = CountLetters(core);
    return AnySequencePlay(size, [&](const PlayShape &previous) {
        return TriplesWithPairsLetters(coreLetters, &previous, jokers) == letters;
    });
}

} // namespace VestranoFunc
