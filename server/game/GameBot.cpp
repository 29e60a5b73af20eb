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

// Counts the strong cards (jokers, 2s, aces): a hand with many bids higher.
int64_t GameBot::BidFor(const std::string &hand, int64_t highestBid) {
    // The card order runs jokers, 2s, aces, kings ...: everything before the first king.
    static const size_t FirstKing = VF::CardOrder.find('M');
    int strength = 0;
    for (char card : hand)
        if (VF::CardOrder.find(card) < FirstKing)
            ++strength;
    const int64_t wanted = std::min<int64_t>(GameRecords::MaxBid, strength / 3);
    return wanted > highestBid ? wanted : GameRecords::NoBid;
}

// The table as the bot sees it when its turn comes.
GameBot::TView GameBot::ViewOf(const GameEngine &game, int seat) {
    TView view;
    view.Hand = game.Hand(seat);
    view.Leading = game.LastPlayer() == seat;
    view.PlayToBeat = view.Leading ? std::string() : game.PlayToBeat();
    view.PartnerLeads = !view.Leading && Partners(game, seat, game.LastPlayer());
    for (int other = 0; other < GameEngine::SeatCount; ++other)
        if (other != seat && !Partners(game, seat, other) && game.Hand(other).size() <= DangerCards)
            view.OpponentNearlyOut = true;
    return view;
}

// Going out wins at once. Otherwise a lead sheds as many cards as it can, weakest first;
// a follow beats with the weakest play that does; bombs and the rocket wait until an
// opponent is close to going out; a partner's play is left standing.
std::optional<GameBot::TChoice> GameBot::ChooseFrom(const TView &view) {
    const auto options = VF::EnumeratePlays(view.Hand, view.PlayToBeat);
    const VF::TPlayOption *best = nullptr;
    auto better = [&](const VF::TPlayOption &a, const VF::TPlayOption &b) {
        if (view.Leading && a.Cards.Size() != b.Cards.Size())
            return a.Cards.Size() > b.Cards.Size();
        return Weakness(a.Faces.View()) > Weakness(b.Faces.View());
    };
    for (const auto &option : options) {
        if (option.Cards.Size() == view.Hand.size())
            return TChoice{option.Cards.Str(), option.Faces.Str()};
        if (IsBombLike(option.Faces.View()) && !view.OpponentNearlyOut)
            continue;
        if (!best || better(option, *best))
            best = &option;
    }
    if (!best || (view.PartnerLeads && !view.OpponentNearlyOut)) {
        if (!view.Leading || options.empty())
            return std::nullopt;
        best = &options.front();
    }
    return TChoice{best->Cards.Str(), best->Faces.Str()};
}

GameRecords::ClientRecord GameBot::ChoosePlay(const GameEngine &game, int seat) {
    const auto seatByte = static_cast<uint8_t>(seat);
    const auto choice = ChooseFrom(ViewOf(game, seat));
    if (!choice)
        return GameRecords::PassRequest{seatByte};
    return GameRecords::PlayRequest{seatByte, choice->Cards, choice->Faces};
}
