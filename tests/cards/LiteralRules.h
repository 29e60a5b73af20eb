#pragma once
// A slow transcription of the card rules, written step by step the way the rules are
// described (string searches, list moves, nested candidate loops), against which the
// library's fast implementation is compared. It keeps the library's three guards: a byte
// that is not a card code makes a string no play and a selection no joker candidate, a
// selection of wild cards alone has no candidates, and nothing beats a rocket.

#include <string>
#include <string_view>
#include <vector>

namespace Literal {

using List = std::vector<std::string>;

std::string CardsToRanks(std::string_view cards);
std::string SortCards(std::string_view cards, bool bigFirst);
bool HasTwo(std::string_view cards);
bool ContainsCards(std::string_view hand, std::string_view cards);
std::string RemoveCards(std::string_view source, std::string_view cards);
std::string RepeatEach(std::string_view chars, int count, std::string_view separator);

List GroupRanks(std::string_view cards);
List GroupCards(std::string_view cards);
void SortGroups(List &groups, std::string_view order);
bool IsPairRun(const List &groups);
bool IsTripleRun(const List &groups);
bool IsTriplesWithPairs(const List &groups);
bool IsStraight(const List &groups);

int ClassifyPlay(std::string_view cards);
int ComparePlays(std::string_view play, std::string_view previous);
int CheckPlay(bool gameRunning, int currentSeat, int seat, std::string_view cards,
              std::string_view interpretation, int ownSeat, std::string_view ownHand,
              std::string_view playToBeat, int lastPlayer);

int JokerInterpretations(std::string_view selection, std::string_view wild,
                         std::string_view previous, List *list);
std::string FillPairRun(int pairs, std::string_view core, int jokers);
std::string FillTripleRun(int triples, std::string_view core, int jokers);
std::string FillStraight(int length, std::string_view core, int jokers);
std::string FillTriplesWithPairs(std::string_view core, std::string_view previous, int jokers);

std::string CardsInGroupsOf(std::string_view cards, int n);
std::string ArrangeByCount(std::string_view cards);

} // namespace Literal
