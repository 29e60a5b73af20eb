#pragma once
// A player for empty seats, choosing among the legal plays the rules library lists. It
// leads low combinations that shed many cards, beats with the smallest sufficient play,
// keeps bombs and the rocket for when an opponent is close to going out, and lets a
// partner's play stand.

#include "GameEngine.h"

#include <optional>

class GameBot final {
public:
    // An opponent with at most this many cards left is close to going out.
    static constexpr size_t DangerCards = 5;

    // The bot's record for its seat when it is its turn; nullopt when it is not.
    static std::optional<GameRecords::ClientRecord> Decide(const GameEngine &game, int seat);

private:
    static int64_t BidFor(const std::string &hand, int64_t highestBid);
    static GameRecords::ClientRecord ChoosePlay(const GameEngine &game, int seat);
};
