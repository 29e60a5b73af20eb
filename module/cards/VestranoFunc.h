#pragma once
// The card code and the rules of Vestrano: pure functions on card strings, shared by the
// game client (checks, joker choices, hand buttons, trusteeship) and the server (validation,
// bots). Every card is one byte of CardChars; a card string is a string of such bytes and
// may hold one code more than once (two decks). The functions never throw on any byte
// string; "nothing" is reported as an empty string, false, ptInvalid or 0.

#include "cards/TCardString.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace VestranoFunc {

// Position of a card in CardChars, 0..53.
using TCardIndex = std::uint8_t;

// A colour of the toolkit: 0x00BBGGRR, or clNone.
using TColor = std::uint32_t;
inline constexpr TColor clNone = 0x20000000;

inline constexpr std::size_t CardCount = 54;
inline constexpr TCardIndex SmallJokerIndex = 52;
inline constexpr TCardIndex BigJokerIndex = 53;
inline constexpr std::uint8_t JokerSuit = 4;
inline constexpr std::uint8_t SmallJokerValue = 14;
inline constexpr std::uint8_t BigJokerValue = 15;

// Spades, hearts, clubs, diamonds (ace .. king each), small joker, big joker.
inline constexpr std::string_view CardChars =
    "ABCDEFGHIJKLMabcdefghijklmNOPQRSTUVWXYZnopqrstuvwxyz01";
// Strongest first; a byte's order position is 1-based, 0 when it is absent.
inline constexpr std::string_view CardOrder =
    "10BbOoAaNnMmZzLlYyKkXxJjWwIiVvHhUuGgTtFfSsEeRrDdQqCcPp";
inline constexpr std::string_view RankOrder = "10BAMLKJIHGFEDC";
// Sequences: ace high, king .. 2, ace low. Jokers never take part.
inline constexpr std::string_view RunOrder = "AMLKJIHGFEDCBA";
// Orders groups of one length when a 2 is among them, so that A-2-3 runs read downwards.
inline constexpr std::string_view LowAceOrder = "MLKJIHGFEDCBA";
// The wild cards as the game client passes them: both big and both small jokers.
inline constexpr std::string_view WildCards = "1100";

// Card image resource names by TCardIndex; the second table is for the other size styles.
extern const std::array<std::string_view, CardCount> CardImageNames;
extern const std::array<std::string_view, CardCount> CardImageNames0;
// Format of the back image name (back number minus 1), per table.
inline constexpr const char *CardBackImageFormat = "B%d";
inline constexpr const char *CardBackImageFormat0 = "B%d0";
// Texts printed over a card, by face value minus 1 (the jokers have none).
extern const std::array<std::string_view, 15> RankTexts;

enum TPlayType : std::uint8_t {
    ptInvalid,
    ptSingle,
    ptPair,
    ptTriple,
    ptTripleWithPair,
    ptBomb,
    ptStraight,
    ptPairRun,
    ptTripleRun,
    ptTriplesWithPairs,
    ptRocket
};
inline constexpr std::size_t PlayTypeCount = 11;

// Results of CheckPlay.
enum TPlayCheck : std::uint8_t {
    pcOk,
    pcInternal,
    pcTooSmall,
    pcNotYourTurn,
    pcNoCards,
    pcWrongType
};
inline constexpr std::size_t PlayCheckCount = 6;

// The names of the play types and the hints of the play check results, as GBK bytes.
extern const std::array<std::string_view, PlayTypeCount> PlayTypeNames;
extern const std::array<std::string_view, PlayCheckCount> PlayCheckTexts;

// One card of a hand display, fields in the order the hand control keeps them.
struct TCardInfo {
    TCardIndex Index = 0;
    std::uint8_t Suit = 0;  // 0 spades, 1 hearts, 2 clubs, 3 diamonds, 4 jokers
    std::uint8_t Value = 0; // 1 ace .. 13 king, 14 small joker, 15 big joker
    std::int32_t Back = 0;  // 0: face shown; n > 0: back image n
    TColor Tint = clNone;   // highlight wash, clNone for none
    bool Selected = false;
    std::int32_t ShownValue = 0; // face value printed over the card; 0 or Value: none
};

// ---- Card code -------------------------------------------------------------------------

// The index of a card code, or -1 for a byte that is not one.
int CardIndexOf(char code);
bool IsCardCode(char code);
// True when every byte of cards is a card code (also for the empty string).
bool IsCardString(std::string_view cards);
std::uint8_t SuitOf(TCardIndex index);
std::uint8_t ValueOf(TCardIndex index);
// A fresh display record of a card: Tint clNone, nothing printed, the given back.
TCardInfo CardInfoOf(TCardIndex index, std::int32_t back);
// The rank letter of a card: its code folded onto the spade run ("A".."M"), jokers kept.
char RankOf(char card);
// The face value (1..15) of a rank letter or card code, 0 for other bytes.
int FaceValueOf(char card);

std::string CardsToRanks(std::string_view cards);
std::string SortCards(std::string_view cards, bool bigFirst);
bool HasTwo(std::string_view cards);

// Multiset operations on card strings.
bool ContainsCards(std::string_view hand, std::string_view cards);
std::string RemoveCards(std::string_view source, std::string_view cards);
std::string RepeatEach(std::string_view chars, int count, std::string_view separator);
std::string SortChars(std::string_view text, bool ascending);

// ---- Play classification ----------------------------------------------------------------

using TGroupList = std::vector<std::string>;

TGroupList GroupRanks(std::string_view cards);
TGroupList GroupCards(std::string_view cards);
// With an empty order, each length's groups are ordered by GroupOrder for that length.
void SortGroups(TGroupList &groups, std::string_view order);
std::string_view GroupOrder(const TGroupList &groups, std::size_t length);
bool IsPairRun(const TGroupList &groups);
bool IsTripleRun(const TGroupList &groups);
bool IsTriplesWithPairs(const TGroupList &groups);
bool IsStraight(const TGroupList &groups);

// ptInvalid also for any string holding a byte that is not a card code: it is no play.
TPlayType ClassifyPlay(std::string_view cards);
// Positive when play beats previous, 0 when it does not or they do not meet. Nothing beats
// a rocket, not even a bomb.
int ComparePlays(std::string_view play, std::string_view previous);
// A TPlayCheck for seat playing cards that stand for interpretation.
int CheckPlay(bool gameRunning, int currentSeat, int seat, std::string_view cards,
              std::string_view interpretation, int ownSeat, std::string_view ownHand,
              std::string_view playToBeat, int lastPlayer);

// ---- Joker substitution, selection tools, orders ---------------------------------------

// Fills list with the plays the selection can stand for against previous (empty: free
// lead); returns the type of the last candidate built, listed or not. A selection holding
// a byte that is no card, or nothing but wild cards, stands for nothing.
TPlayType JokerInterpretations(std::string_view selection, std::string_view wild,
                               std::string_view previous, std::vector<std::string> *list);
std::string FillPairRun(int pairs, std::string_view core, int jokers);
std::string FillTripleRun(int triples, std::string_view core, int jokers);
std::string FillStraight(int length, std::string_view core, int jokers);
std::string FillTriplesWithPairs(std::string_view core, std::string_view previous, int jokers);
void AddIfBeats(std::vector<std::string> &list, std::string_view candidate, TPlayType type,
                std::string_view previous);

std::string CardsInGroupsOf(std::string_view cards, int n);
std::string ArrangeByCount(std::string_view cards);
// -1, 0 or 1; the hand control swaps two cards when it is positive.
int CompareForDisplay(const TCardInfo &a, const TCardInfo &b, std::string_view order);
// The card led under trusteeship: the weakest single of the hand (empty for no cards).
std::string AutoLeadCard(std::string_view hand);

// ---- Legal plays -------------------------------------------------------------------------

struct TPlayOption {
    TCardString Cards; // taken from the hand
    TCardString Faces; // what they stand for: Cards, or a joker interpretation
};

// Every distinct play the holder of hand can make against previous (empty: free lead):
// two options are the same play when their cards and their faces hold the same ranks.
// A string that is not a hand (a byte that is no card, three copies of a card) has none.
std::vector<TPlayOption> EnumeratePlays(std::string_view hand, std::string_view previous);
// The same into plays, which is cleared first: a caller that lists plays again and again
// keeps one list and its memory.
void EnumeratePlays(std::string_view hand, std::string_view previous,
                    std::vector<TPlayOption> &plays);
// True when faces is a form in which cards may be played: cards themselves when they hold
// no joker or only jokers, otherwise one of their joker interpretations.
bool IsValidInterpretation(std::string_view cards, std::string_view faces);

} // namespace VestranoFunc
