// Complete hands of four bots in-process, thinking delay 0: every record and snapshot is
// built as for a real table but handed to no socket. Items per second = hands per second.

#include "game/GameBot.h"
#include "game/GameEngine.h"

#include <benchmark/benchmark.h>

namespace {

void PlayHand(GameEngine &game, int64_t now) {
    game.StartHand(now);
    while (game.CurrentPhase() != GameEngine::Phase::HandOver) {
        const int seat = game.CurrentSeat();
        const auto record = GameBot::Decide(game, seat);
        if (!record || !game.Receive(seat, *record, now))
            game.Tick(game.Deadline());
    }
    benchmark::DoNotOptimize(game.TakeOutput());
}

void BM_BotHands(benchmark::State &state) {
    GameEngine game(GameOptions{}, ChaChaRandom::Key{42});
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat)
        game.SetSeatUser(seat, seat + 1);
    int64_t now = 0;
    for (auto _ : state)
        PlayHand(game, ++now);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BotHands);

} // namespace

BENCHMARK_MAIN();
