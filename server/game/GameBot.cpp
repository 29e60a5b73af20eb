#include "GameBot.h"

#include "cards/VestranoFunc.h"

#include <algorithm>

namespace VF = VestranoFunc;

namespace {

bool IsBombLike(std::string_view faces) {
    const VF::TPlayType type = VF::ClassifyPlay(faces);
    return type == VF::ptBomb || type == VF::ptRocket;
}

// Rank strength of a play's weakest card position: lower is weaker. Order positions count
// from the strongest card, so a larger position is a weaker card.
size_t Weakness(std::string_view faces) {
    size_t weakest = 0;
    for (char card : faces)
        weakest = std::max(weakest, VF::CardOrder.find(card));
    return weakest;
}

bool Partners(const GameEngine &game, int a, int b) {
    return a != game.Banker() && b != game.Banker();
}

} // namespace

std::optional<GameRecords::ClientRecord> GameBot::Decide(const GameEngine &game, int seat) {
    if (game.CurrentSeat() != seat)
        return std::nullopt;
    const auto seatByte = static_cast<uint8_t>(seat);
    switch (game.CurrentPhase()) {
    case GameEngine::Phase::Bidding:
        return GameRecords::BidRequest{seatByte, BidFor(game.Hand(seat), game.HighestBid())};
    case GameEngine::Phase::Playing:
        return ChoosePlay(game, seat);
    default:
        return std::nullopt;
    }
}

// Counts the strong cards (2s, aces, jokers) and bombs-to-be: a hand with many bids higher.
int64_t GameBot::BidFor(const std::string &hand, int64_t highestBid) {
    int strength = 0;
    for (char card : hand)
        if (VF::CardOrder.find(card) < VF::CardOrder.find('N'))
            ++strength;
    const int64_t wanted = std::min<int64_t>(GameRecords::MaxBid, strength / 3);
    return wanted > highestBid ? wanted : GameRecords::NoBid;
}

GameRecords::ClientRecord GameBot::ChoosePlay(const GameEngine &game, int seat) {
    const auto seatByte = static_cast<uint8_t>(seat);
    const bool leading = game.LastPlayer() == seat;
    const std::string &hand = game.Hand(seat);
    const auto options = VF::EnumeratePlays(hand, leading ? "" : game.PlayToBeat());
    bool danger = false;
    for (int other = 0; other < GameEngine::SeatCount; ++other)
        if (other != seat && !Partners(game, seat, other) && game.Hand(other).size() <= DangerCards)
            danger = true;
    const VF::TPlayOption *best = nullptr;
    auto better = [&](const VF::TPlayOption &a, const VF::TPlayOption &b) {
        if (leading && a.Cards.Size() != b.Cards.Size())
            return a.Cards.Size() > b.Cards.Size();
        return Weakness(a.Faces.View()) > Weakness(b.Faces.View());
    };
    for (const auto &option : options) {
        if (option.Cards.Size() == hand.size()) {
            best = &option;
            break;
        }
        if (IsBombLike(option.Faces.View()) && !danger)
            continue;
        if (!best || better(option, *best))
            best = &option;
    }
    const bool partnerLeads = !leading && Partners(game, seat, game.LastPlayer());
    const bool needed = best && best->Cards.Size() == hand.size();
    if (!best || (partnerLeads && !needed && !danger)) {
        if (!leading)
            return GameRecords::PassRequest{seatByte};
        best = &options.front();
    }
    return GameRecords::PlayRequest{seatByte, best->Cards.Str(), best->Faces.Str()};
}
