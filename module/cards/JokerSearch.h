#pragma once
// The joker search on a selection already split into its core (the cards that are not
// wild) and the number of wild cards; shared by the public search, the server's check of
// interpretations and the enumeration of plays (library-internal).

#include "cards/PlayShape.h"
#include "cards/TCardString.h"

#include <array>
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

// The letters that complete core to triples with pairs against previous (nullptr: free
// lead); empty when nothing fits.
TCardString TriplesWithPairsLetters(std::string_view core, const PlayShape *previous, int jokers);

} // namespace VestranoFunc::Detail
