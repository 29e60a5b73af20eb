// Arbitrary client records against a dealt table: decoding never reads out of bounds and
// whatever the engine accepts keeps the four hands and the bottom a valid card multiset.

#include "cards/VestranoFunc.h"
#include "game/GameEngine.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GameEngine game(GameOptions{}, ChaChaRandom::Key{7});
    game.StartHand(0);
    size_t offset = 0;
    while (offset < size) {
        const size_t length = std::min<size_t>(data[offset], size - offset - 1);
        const auto record = GameRecords::DecodeClientRecord({data + offset + 1, length});
        offset += length + 1;
        if (record)
            game.Receive(std::visit([](const auto &r) { return int(r.Seat); }, *record), *record,
                         0);
    }
    size_t cards = game.Bottom().size() * (game.CurrentPhase() == GameEngine::Phase::Bidding);
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat) {
        if (!VestranoFunc::IsCardString(game.Hand(seat)))
            std::abort();
        cards += game.Hand(seat).size();
    }
    if (game.CurrentPhase() == GameEngine::Phase::Bidding && cards != 108)
        std::abort();
    return 0;
}
