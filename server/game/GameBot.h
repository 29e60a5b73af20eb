#pragma once
// A player for empty seats, choosing among the legal plays the rules library lists. It
// leads low combinations that shed many cards, beats with the smallest sufficient play,
// keeps bombs and the rocket for when an opponent is close to going out, and lets a
// partner's play stand.

#include "GameEngine.h"

#include <optional>
#include <string>

class GameBot final {
public:
    // An opponent with at most this many cards left is close to going out.
    static constexpr size_t DangerCards = 5;

    struct TView {
        std::string Hand;
        std::string PlayToBeat; // empty: a free lead
        bool Leading = false;
        bool PartnerLeads = false;
        bool OpponentNearlyOut = false;
    };
    struct TChoice {
        std::string Cards;
        std::string Faces;
    };

    // The bot's record for its seat when it is its turn; nullopt when it is not.
    static std::optional<GameRecords::ClientRecord> Decide(const GameEngine &game, int seat);
    static TView ViewOf(const GameEngine &game, int seat);
    // The play the bot makes, or nothing to pass.
    static std::optional<TChoice> ChooseFrom(const TView &view);
    // One point per three strong cards (jokers, 2s, aces), when it beats the highest bid.
    static int64_t BidFor(const std::string &hand, int64_t highestBid);

private:
    static GameRecords::ClientRecord ChoosePlay(const GameEngine &game, int seat);
};
