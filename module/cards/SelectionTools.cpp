// What lies behind the hand buttons and the hand orders.

#include "cards/CardTables.h"
#include "cards/VestranoFunc.h"

namespace VestranoFunc {

using namespace Tables;

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Position of a record's card in order, 0 when the record holds no card or order lacks it.
int OrderPosition(const TCardInfo &card, std::string_view order) {
    if (card.Index >= CardCount)
        return 0;
    const std::size_t found = order.find(CardChars[card.Index]);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

int RankPosition(const TCardInfo &card) {
    return card.Index >= CardCount ? 0 : At(RankOrderPositions, RankOf(CardChars[card.Index]));
}

} // namespace

int CompareForDisplay(const TCardInfo &a, const TCardInfo &b, std::string_view order) {
    if (!order.empty())
        return Sign(OrderPosition(a, order) - OrderPosition(b, order));
    const int byRank = Sign(RankPosition(a) - RankPosition(b));
    if (byRank == 0 && b.Suit < a.Suit)
        return 1;
    return byRank;
}

std::string CardsInGroupsOf(std::string_view cards, int n) {
    const TGroupList groups = GroupCards(cards);
    std::string selected;
    for (auto group = groups.rbegin(); group != groups.rend(); ++group) {
        if (static_cast<int>(group->size()) == n)
            selected += *group;
    }
    return selected;
}

std::string ArrangeByCount(std::string_view cards) {
    TGroupList groups = GroupCards(SortCards(cards, true));
    SortGroups(groups, RankOrder);
    std::string arranged;
    arranged.reserve(cards.size());
    for (const std::string &group : groups)
        arranged += group;
    return arranged;
}

std::string AutoLeadCard(std::string_view hand) {
    const std::string sorted = SortCards(hand, true);
    return sorted.empty() ? std::string() : sorted.substr(sorted.size() - 1);
}

} // namespace VestranoFunc
