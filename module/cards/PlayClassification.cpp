// Rank groups, the sequence tests, classification and comparison of plays, the play check.

#include "cards/CardTables.h"
#include "cards/PlayShape.h"
#include "cards/VestranoFunc.h"

#include <algorithm>

namespace VestranoFunc {

using namespace Tables;

namespace {

// Groups by rank in order of first appearance, each holding its cards in their order
// (rank letters, or the codes themselves).
TGroupList Group(std::string_view cards, bool asRanks) {
    TGroupList groups;
    std::array<std::int16_t, 256> slotOfRank;
    slotOfRank.fill(-1);
    for (const char c : cards) {
        const char rank = RankOf(c);
        std::int16_t &slot = slotOfRank[static_cast<unsigned char>(rank)];
        if (slot < 0) {
            slot = static_cast<std::int16_t>(groups.size());
            groups.emplace_back();
        }
        groups[slot].push_back(asRanks ? rank : c);
    }
    SortGroups(groups, {});
    return groups;
}

int GroupPosition(const ByteTable &positions, const std::string &group) {
    return group.empty() ? 0 : At(positions, RankOf(group.front()));
}

std::string Joined(const TGroupList &groups, std::string_view separator) {
    std::string joined;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (i > 0)
            joined.append(separator);
        joined.append(groups[i]);
    }
    return joined;
}

// The groups, joined and fenced with ",", occur in the sequence written count times.
bool InSequencePattern(const TGroupList &groups, int count) {
    const auto fenced = [](const std::string &text) {
        std::string result(1, ',');
        result += text;
        result += ',';
        return result;
    };
    return fenced(RepeatEach(RunOrder, count, ",")).find(fenced(Joined(groups, ","))) !=
           std::string::npos;
}

TGroupList GroupsOfLength(const TGroupList &groups, std::size_t length) {
    TGroupList selected;
    for (const std::string &group : groups) {
        if (group.size() == length)
            selected.push_back(group);
    }
    return selected;
}

} // namespace

TGroupList GroupRanks(std::string_view cards) {
    return Group(cards, true);
}

TGroupList GroupCards(std::string_view cards) {
    return Group(cards, false);
}

std::string_view GroupOrder(const TGroupList &groups, std::size_t length) {
    const bool twoAmongThem = std::any_of(groups.begin(), groups.end(), [length](auto &group) {
        return group.size() == length && HasTwo(group);
    });
    return twoAmongThem ? LowAceOrder : RankOrder;
}

void SortGroups(TGroupList &groups, std::string_view order) {
    // Moving every entry that must precede the current one in front of it keeps entries
    // that tie in their order, so this is a stable sort on (longer, stronger).
    const ByteTable fixed = PositionTable(order);
    std::vector<bool> lowAceLengths;
    for (const std::string &group : groups) {
        if (HasTwo(group)) {
            lowAceLengths.resize(std::max(lowAceLengths.size(), group.size() + 1));
            lowAceLengths[group.size()] = true;
        }
    }
    const auto positionsFor = [&](std::size_t length) -> const ByteTable & {
        if (!order.empty())
            return fixed;
        const bool lowAce = length < lowAceLengths.size() && lowAceLengths[length];
        return lowAce ? LowAceOrderPositions : RankOrderPositions;
    };
    std::stable_sort(groups.begin(), groups.end(), [&](const std::string &a, const std::string &b) {
        if (a.size() != b.size())
            return a.size() > b.size();
        const ByteTable &positions = positionsFor(a.size());
        return GroupPosition(positions, a) < GroupPosition(positions, b);
    });
}

bool IsPairRun(const TGroupList &groups) {
    return groups.size() >= 2 && InSequencePattern(groups, 2);
}

bool IsTripleRun(const TGroupList &groups) {
    return groups.size() >= 2 && InSequencePattern(groups, 3);
}

bool IsTriplesWithPairs(const TGroupList &groups) {
    if (groups.size() < 4)
        return false;
    const TGroupList triples = GroupsOfLength(groups, 3);
    const TGroupList pairs = GroupsOfLength(groups, 2);
    return triples.size() == pairs.size() && InSequencePattern(triples, 3) &&
           InSequencePattern(pairs, 2);
}

bool IsStraight(const TGroupList &groups) {
    return groups.size() == 5 && RunOrder.find(Joined(groups, "")) != std::string_view::npos;
}

TPlayType ClassifyPlay(std::string_view cards) {
    return Detail::ShapeOf(cards).Type;
}

int ComparePlays(std::string_view play, std::string_view previous) {
    if (play.empty() || previous.empty())
        return 0;
    return Detail::Compare(Detail::ShapeOf(play), Detail::ShapeOf(previous));
}

int CheckPlay(bool gameRunning, int currentSeat, int seat, std::string_view cards,
              std::string_view interpretation, int ownSeat, std::string_view ownHand,
              std::string_view playToBeat, int lastPlayer) {
    if (!gameRunning || currentSeat != seat)
        return pcNotYourTurn;
    if (cards.empty())
        return pcNoCards;
    // Plays of other seats come from the server, which has judged them already.
    if (seat != ownSeat)
        return pcOk;
    if (!ContainsCards(ownHand, cards))
        return pcInternal;
    const Detail::PlayShape shape = Detail::ShapeOf(interpretation);
    if (shape.Type == ptInvalid)
        return pcWrongType;
    if (lastPlayer == seat)
        return pcOk;
    const Detail::PlayShape last = Detail::ShapeOf(playToBeat);
    if (shape.Type != ptBomb && shape.Type != ptRocket && shape.Type != last.Type)
        return pcWrongType;
    if (last.Type == ptRocket || playToBeat.empty() || Detail::Compare(shape, last) <= 0)
        return pcTooSmall;
    return pcOk;
}

} // namespace VestranoFunc
