#include "cards/LiteralRules.h"

#include <algorithm>

namespace Literal {

namespace {

const std::string CardChars = "ABCDEFGHIJKLMabcdefghijklmNOPQRSTUVWXYZnopqrstuvwxyz01";
const std::string CardOrder = "10BbOoAaNnMmZzLlYyKkXxJjWwIiVvHhUuGgTtFfSsEeRrDdQqCcPp";
const std::string RankOrder = "10BAMLKJIHGFEDC";
const std::string RunOrder = "AMLKJIHGFEDCBA";
const std::string LowAceOrder = "MLKJIHGFEDCBA";

// 1-based position of c in text, 0 when absent.
int Pos(std::string_view text, char c) {
    const auto found = text.find(c);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

// Copy(text, from, count) with 1-based from, clipped like the string copy of the host
// language.
std::string Copy(std::string_view text, int from, int count) {
    if (count <= 0 || from > static_cast<int>(text.size()))
        return {};
    return std::string(text.substr(from - 1, count));
}

std::string Join(const List &list, std::string_view separator) {
    std::string joined;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            joined += separator;
        joined += list[i];
    }
    return joined;
}

bool IsCardString(std::string_view cards) {
    for (const char c : cards) {
        if (Pos(CardChars, c) == 0)
            return false;
    }
    return true;
}

List GroupList(std::string_view cards, bool asRanks) {
    List list;
    const std::string ranks = CardsToRanks(cards);
    for (std::size_t i = 0; i < cards.size(); ++i)
        list.push_back(std::string(1, asRanks ? ranks[i] : cards[i]));
    for (int i = static_cast<int>(list.size()) - 1; i >= 1; --i) {
        for (int j = i - 1; j >= 0; --j) {
            if (CardsToRanks(list[j].substr(0, 1)) == CardsToRanks(list[i].substr(0, 1))) {
                list[j] += list[i];
                list.erase(list.begin() + i);
                break;
            }
        }
    }
    SortGroups(list, "");
    return list;
}

std::string GroupOrder(const List &groups, std::size_t length) {
    std::string joined;
    for (const std::string &group : groups) {
        if (group.size() == length)
            joined += group;
    }
    return HasTwo(joined) ? LowAceOrder : RankOrder;
}

int GroupKey(const std::string &group, std::string_view order) {
    return group.empty() ? 0 : Pos(order, CardsToRanks(group.substr(0, 1))[0]);
}

bool Precedes(const List &groups, const std::string &a, const std::string &b,
              std::string_view order) {
    if (a.size() != b.size())
        return a.size() > b.size();
    const std::string used = order.empty() ? GroupOrder(groups, a.size()) : std::string(order);
    return GroupKey(a, used) < GroupKey(b, used);
}

bool InPattern(const List &groups, int count) {
    const std::string pattern = "," + RepeatEach(RunOrder, count, ",") + ",";
    return pattern.find("," + Join(groups, ",") + ",") != std::string::npos;
}

List OfLength(const List &groups, std::size_t length) {
    List selected;
    for (const std::string &group : groups) {
        if (group.size() == length)
            selected.push_back(group);
    }
    return selected;
}

bool AllOf(const List &groups, std::size_t k, std::size_t m) {
    return groups.size() == k && groups[0].size() == m;
}

void AddIfBeats(List &list, const std::string &candidate, int type, std::string_view previous) {
    if (!candidate.empty() &&
        ((previous.empty() && type != 0) || ComparePlays(candidate, previous) > 0))
        list.push_back(candidate);
}

std::string FillRun(int length, int times, std::string_view core, int jokers) {
    const int span = std::max(length, 0);
    for (int start = 1; start <= 15 - span; ++start) {
        const std::string wanted = RepeatEach(Copy(RunOrder, start, span), times, "");
        const std::string missing = RemoveCards(wanted, CardsToRanks(core));
        if (static_cast<int>(missing.size()) == jokers)
            return std::string(core) + missing;
    }
    return {};
}

} // namespace

std::string CardsToRanks(std::string_view cards) {
    std::string ranks;
    for (const char c : cards) {
        if (c >= 'N' && c <= 'Z')
            ranks += static_cast<char>(c - 13);
        else if (c >= 'a' && c <= 'm')
            ranks += static_cast<char>(c - 'a' + 'A');
        else if (c >= 'n' && c <= 'z')
            ranks += static_cast<char>(c - 45);
        else
            ranks += c;
    }
    return ranks;
}

std::string SortCards(std::string_view cards, bool bigFirst) {
    std::string s(cards);
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        for (std::size_t j = i + 1; j < s.size(); ++j) {
            const int pi = Pos(CardOrder, s[i]);
            const int pj = Pos(CardOrder, s[j]);
            if ((bigFirst && pj < pi) || (!bigFirst && pj > pi))
                std::swap(s[i], s[j]);
        }
    }
    return s;
}

bool HasTwo(std::string_view cards) {
    return cards.find_first_of("BbOo") != std::string_view::npos;
}

bool ContainsCards(std::string_view hand, std::string_view cards) {
    std::string rest(hand);
    for (const char c : cards) {
        const auto found = rest.find(c);
        if (found == std::string::npos)
            return false;
        rest.erase(found, 1);
    }
    return true;
}

std::string RemoveCards(std::string_view source, std::string_view cards) {
    std::string rest(source);
    for (const char c : cards) {
        const auto found = rest.find(c);
        if (found != std::string::npos)
            rest.erase(found, 1);
    }
    return rest;
}

std::string RepeatEach(std::string_view chars, int count, std::string_view separator) {
    std::string result;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (i > 0)
            result += separator;
        for (int k = 0; k < count; ++k)
            result += chars[i];
    }
    return result;
}

List GroupRanks(std::string_view cards) {
    return GroupList(cards, true);
}

List GroupCards(std::string_view cards) {
    return GroupList(cards, false);
}

void SortGroups(List &groups, std::string_view order) {
    for (std::size_t i = 0; i + 1 < groups.size(); ++i) {
        for (std::size_t j = i + 1; j < groups.size(); ++j) {
            if (Precedes(groups, groups[j], groups[i], order)) {
                std::string moved = groups[j];
                groups.erase(groups.begin() + static_cast<std::ptrdiff_t>(j));
                groups.insert(groups.begin() + static_cast<std::ptrdiff_t>(i), moved);
            }
        }
    }
}

bool IsPairRun(const List &groups) {
    return groups.size() >= 2 && InPattern(groups, 2);
}

bool IsTripleRun(const List &groups) {
    return groups.size() >= 2 && InPattern(groups, 3);
}

bool IsTriplesWithPairs(const List &groups) {
    if (groups.size() < 4)
        return false;
    const List triples = OfLength(groups, 3);
    const List pairs = OfLength(groups, 2);
    return triples.size() == pairs.size() && InPattern(triples, 3) && InPattern(pairs, 2);
}

bool IsStraight(const List &groups) {
    return groups.size() == 5 && RunOrder.find(Join(groups, "")) != std::string::npos;
}

int ClassifyPlay(std::string_view cards) {
    if (!IsCardString(cards))
        return 0;
    const std::size_t n = cards.size();
    const List g = GroupRanks(cards);
    switch (n) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 2:
        return CardsToRanks(cards)[0] == CardsToRanks(cards)[1] ? 2 : 0;
    case 3:
        return g.size() == 1 ? 3 : 0;
    case 4:
        if (g.size() == 1)
            return 5;
        if (ContainsCards(cards, "1100"))
            return 10;
        if (AllOf(g, 2, 2) && IsPairRun(g))
            return 7;
        return 0;
    case 5:
        if (g.size() == 1)
            return 5;
        if (g.size() == 2 && g[0].size() == 3 && g[1].size() == 2)
            return 4;
        if (g[0].size() == 1 && IsStraight(g))
            return 6;
        return 0;
    case 6:
        if (g.size() == 1)
            return 5;
        if (AllOf(g, 3, 2) && IsPairRun(g))
            return 7;
        if (AllOf(g, 2, 3) && IsTripleRun(g))
            return 8;
        return 0;
    case 7:
    case 11:
        return g.size() == 1 ? 5 : 0;
    case 8:
        if (g.size() == 1)
            return 5;
        return AllOf(g, 4, 2) && IsPairRun(g) ? 7 : 0;
    case 9:
        if (g.size() == 1)
            return 5;
        return AllOf(g, 3, 3) && IsTripleRun(g) ? 8 : 0;
    case 10:
        if (g.size() == 1)
            return 5;
        if (AllOf(g, 4, 3) && IsTriplesWithPairs(g))
            return 9;
        return AllOf(g, 5, 2) && IsPairRun(g) ? 7 : 0;
    case 12:
        if (g.size() == 1)
            return 5;
        if (AllOf(g, 4, 3) && IsTripleRun(g))
            return 8;
        return AllOf(g, 6, 2) && IsPairRun(g) ? 7 : 0;
    case 14:
    case 16:
    case 22:
    case 26:
        return AllOf(g, n / 2, 2) && IsPairRun(g) ? 7 : 0;
    case 15:
        if (AllOf(g, 5, 3) && IsTripleRun(g))
            return 8;
        return AllOf(g, 6, 3) && IsTriplesWithPairs(g) ? 9 : 0;
    case 18:
        if (AllOf(g, 6, 3) && IsTripleRun(g))
            return 8;
        return AllOf(g, 9, 2) && IsPairRun(g) ? 7 : 0;
    case 20:
        if (AllOf(g, 10, 2) && IsPairRun(g))
            return 7;
        return AllOf(g, 8, 3) && IsTriplesWithPairs(g) ? 9 : 0;
    case 21:
    case 27:
        return AllOf(g, n / 3, 3) && IsTripleRun(g) ? 8 : 0;
    case 24:
        if (AllOf(g, 12, 2) && IsPairRun(g))
            return 7;
        return AllOf(g, 8, 3) && IsTripleRun(g) ? 8 : 0;
    case 25:
        return AllOf(g, 10, 3) && IsTriplesWithPairs(g) ? 9 : 0;
    default:
        return 0;
    }
}

int ComparePlays(std::string_view play, std::string_view previous) {
    if (play.empty() || previous.empty())
        return 0;
    const int a = ClassifyPlay(play);
    const int b = ClassifyPlay(previous);
    if (a == 0)
        return 0;
    if (a == 10)
        return 99;
    if (a == b) {
        if (a == 5 && play.size() > previous.size())
            return 1;
        if (play.size() == previous.size()) {
            const std::string joinedPlay = Join(GroupRanks(play), "");
            const std::string joinedPrevious = Join(GroupRanks(previous), "");
            std::string order = RankOrder;
            if (a >= 6 && a <= 9 && (HasTwo(joinedPlay) || HasTwo(joinedPrevious)))
                order = RunOrder;
            return Pos(order, joinedPrevious[0]) - Pos(order, joinedPlay[0]);
        }
        return 0;
    }
    if (a == 5 && b != 10)
        return 1;
    if (b == 5)
        return -1;
    return 0;
}

int CheckPlay(bool gameRunning, int currentSeat, int seat, std::string_view cards,
              std::string_view interpretation, int ownSeat, std::string_view ownHand,
              std::string_view playToBeat, int lastPlayer) {
    if (!gameRunning)
        return 3;
    if (currentSeat != seat)
        return 3;
    if (cards.empty())
        return 4;
    if (seat == ownSeat && !ContainsCards(ownHand, cards))
        return 1;
    const int t = ClassifyPlay(interpretation);
    const int tLast = ClassifyPlay(playToBeat);
    if (seat == ownSeat && t == 0)
        return 5;
    if (seat == ownSeat && lastPlayer != seat) {
        if (t != 5 && t != 10 && t != tLast)
            return 5;
        if (tLast == 10 || ComparePlays(interpretation, playToBeat) <= 0)
            return 2;
    }
    return 0;
}

std::string FillPairRun(int pairs, std::string_view core, int jokers) {
    return FillRun(pairs, 2, core, jokers);
}

std::string FillTripleRun(int triples, std::string_view core, int jokers) {
    return FillRun(triples, 3, core, jokers);
}

std::string FillStraight(int length, std::string_view core, int jokers) {
    return FillRun(length, 1, core, jokers);
}

std::string FillTriplesWithPairs(std::string_view core, std::string_view previous, int jokers) {
    const std::string t = RepeatEach(RunOrder, 3, "");
    const std::string r = RemoveCards(t, RemoveCards(t, CardsToRanks(core)));
    if (r.empty())
        return {};
    const int top = Pos(RunOrder, r.front());
    const int bottom = Pos(RunOrder, r.back());
    const int start = std::max(top - 1, 1);
    int end = std::min(bottom + 1, 14);
    if (end <= 2)
        end = 14;
    std::string result;
    const auto test = [&](const std::string &substituted) {
        const std::string candidate = r + substituted;
        const bool accepted =
            previous.empty() ? ClassifyPlay(candidate) == 9 : ComparePlays(candidate, previous) > 0;
        if (accepted)
            result = std::string(core) + substituted;
    };
    const auto at = [](int position) {
        return std::string(1, RunOrder[position - 1]);
    };
    if (jokers == 1) {
        for (int i = start; i <= end; ++i)
            test(at(i));
    } else if (jokers == 2) {
        for (int i = start; i <= end; ++i)
            for (int j = start; j <= end; ++j)
                test(at(i) + at(j));
    } else if (jokers == 3) {
        for (int i = start; i <= end; ++i)
            for (int j = start; j <= end; ++j)
                for (int l = start; l <= end; ++l)
                    test(at(i) + at(j) + at(l));
    }
    return result;
}

int JokerInterpretations(std::string_view selection, std::string_view wild,
                         std::string_view previous, List *list) {
    if (list == nullptr)
        return 0;
    list->clear();
    const int n = static_cast<int>(selection.size());
    if (n < 2 || !IsCardString(selection))
        return 0;
    const std::string core = RemoveCards(selection, wild);
    const int w = n - static_cast<int>(core.size());
    if (w == 0 || core.empty())
        return 0;
    int type = 0;
    const auto offer = [&](const std::string &candidate, int candidateType) {
        type = candidateType;
        AddIfBeats(*list, candidate, candidateType, previous);
    };
    if (n == 2) {
        offer(std::string(2, core[0]), 2);
        return type;
    }
    if (n == 3) {
        if (core.size() == 1 || (core.size() == 2 && GroupRanks(core).size() == 1))
            offer(std::string(3, core[0]), 3);
        return type;
    }
    const List g = GroupRanks(core);
    const std::size_t k = g.size();
    const std::size_t L = g[0].size();
    const std::string bomb(static_cast<std::size_t>(n), CardsToRanks(core)[0]);
    const auto tripleWithPair = [&](const std::string &triple, const std::string &pair) {
        const std::string wanted =
            RepeatEach(triple.substr(0, 1), 3, "") + RepeatEach(pair.substr(0, 1), 2, "");
        offer(core + RemoveCards(wanted, CardsToRanks(core)), 4);
    };
    const auto pairRun = [&](int m) {
        offer(FillPairRun(m, core, w), 7);
    };
    const auto tripleRun = [&](int m) {
        offer(FillTripleRun(m, core, w), 8);
    };
    const auto straight = [&] {
        offer(FillStraight(5, core, w), 6);
    };
    const auto triplesWithPairs = [&] {
        offer(FillTriplesWithPairs(core, previous, w), 9);
    };
    if (k == 1 && n <= 12)
        offer(bomb, 5);
    switch (n) {
    case 4:
        if (k <= 2)
            pairRun(2);
        break;
    case 5:
        if (k == 2 && L == 3)
            tripleWithPair(g[0], g[1]);
        if (k == 2 && L < 3) {
            tripleWithPair(g[0], g[1]);
            tripleWithPair(g[1], g[0]);
        }
        if (k >= 2 && L == 1)
            straight();
        break;
    case 6:
        if (k >= 2 && L <= 2)
            pairRun(3);
        if (k >= 1 && L >= 2 && L <= 3)
            tripleRun(2);
        break;
    case 8:
        if (k >= 3 && L <= 2)
            pairRun(4);
        break;
    case 9:
        if (k >= 2 && L >= 2 && L <= 3)
            tripleRun(3);
        break;
    case 10:
        if (k >= 3 && L <= 3)
            triplesWithPairs();
        if (k >= 3 && L == 2)
            pairRun(5);
        break;
    case 12:
        if (k >= 3 && L == 3)
            tripleRun(4);
        if (k >= 5 && L == 2)
            pairRun(6);
        break;
    case 14:
        if (k >= 6 && L == 2)
            pairRun(7);
        break;
    case 15:
        if (k >= 4 && L == 3)
            tripleRun(5);
        if (k >= 5 && L <= 3)
            triplesWithPairs();
        break;
    case 16:
        if (k >= 7 && L == 2)
            pairRun(8);
        break;
    case 18:
        if (k >= 5 && L == 3)
            tripleRun(6);
        if (k >= 8 && L == 2)
            pairRun(9);
        break;
    case 20:
        if (k >= 9 && L == 2)
            pairRun(10);
        if (k >= 7 && L <= 3)
            triplesWithPairs();
        break;
    case 21:
        if (k >= 6 && L == 3)
            tripleRun(7);
        break;
    case 22:
        if (k >= 10 && L == 2)
            pairRun(11);
        break;
    case 24:
        if (k >= 11 && L == 2)
            pairRun(12);
        if (k >= 7 && L == 3)
            tripleRun(8);
        break;
    case 25:
        if (k >= 9 && L <= 3)
            triplesWithPairs();
        break;
    case 26:
        if (k >= 12 && L == 2)
            pairRun(13);
        break;
    case 27:
        if (k >= 8 && L == 3)
            tripleRun(9);
        break;
    default:
        break;
    }
    return type;
}

std::string CardsInGroupsOf(std::string_view cards, int n) {
    const List groups = GroupCards(cards);
    std::string result;
    for (int i = static_cast<int>(groups.size()) - 1; i >= 0; --i) {
        if (static_cast<int>(groups[i].size()) == n)
            result += groups[i];
    }
    return result;
}

std::string ArrangeByCount(std::string_view cards) {
    List groups = GroupCards(SortCards(cards, true));
    SortGroups(groups, RankOrder);
    return Join(groups, "");
}

} // namespace Literal
