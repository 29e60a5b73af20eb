// Card strings, groups and the hand tools on any bytes, against the literal rules.

#include "FuzzInput.h"
#include "cards/LiteralRules.h"
#include "cards/TCardDecks.h"
#include "cards/VestranoFunc.h"

namespace VF = VestranoFunc;

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    FuzzInput input(data, size);
    const bool flag = input.Byte() & 1u;
    const int count = input.Int(-3, 6);
    const std::string second = input.Text(40);
    const std::string cards = input.Rest();
    Check(VF::CardsToRanks(cards) == Literal::CardsToRanks(cards));
    Check(VF::HasTwo(cards) == Literal::HasTwo(cards));
    Check(VF::ContainsCards(cards, second) == Literal::ContainsCards(cards, second));
    Check(VF::RemoveCards(cards, second) == Literal::RemoveCards(cards, second));
    Check(VF::RepeatEach(second, count, cards.substr(0, 3)) ==
          Literal::RepeatEach(second, count, cards.substr(0, 3)));
    (void)VF::SortChars(cards, flag);
    if (cards.size() > 300)
        return 0; // the literal sorts and groups are quadratic
    Check(VF::SortCards(cards, flag) == Literal::SortCards(cards, flag));
    VF::TGroupList groups = VF::GroupRanks(cards);
    Check(groups == Literal::GroupRanks(cards));
    Check(VF::GroupCards(cards) == Literal::GroupCards(cards));
    Check(VF::IsPairRun(groups) == Literal::IsPairRun(groups));
    Check(VF::IsTripleRun(groups) == Literal::IsTripleRun(groups));
    Check(VF::IsTriplesWithPairs(groups) == Literal::IsTriplesWithPairs(groups));
    Check(VF::IsStraight(groups) == Literal::IsStraight(groups));
    VF::TGroupList literal = groups;
    VF::SortGroups(groups, second);
    Literal::SortGroups(literal, second);
    Check(groups == literal);
    Check(VF::CardsInGroupsOf(cards, count) == Literal::CardsInGroupsOf(cards, count));
    Check(VF::ArrangeByCount(cards) == Literal::ArrangeByCount(cards));
    TCardDecks decks;
    decks.SetCards(cards);
    Check(decks.GetCards().size() <= cards.size() && !decks.Updating());
    VF::TCardInfo a;
    VF::TCardInfo b;
    a.Index = static_cast<VF::TCardIndex>(count + 3 + (flag ? 60 : 0));
    b.Index = static_cast<VF::TCardIndex>(cards.empty() ? 0 : cards[0]);
    (void)VF::CompareForDisplay(a, b, second);
    (void)VF::CompareForDisplay(a, b, "");
    return 0;
}
