// Complete hands of four bots in-process, thinking delay 0: every record and snapshot is
// built as for a real table but handed to no socket. Items per second = hands per second.

#include "game/GameBot.h"
#include "game/GameEngine.h"
#include "game/GameTable.h"

#include <memory>
#include <vector>

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

// The same through the table, as the server runs it: one bot move or time-out per tick, the
// next hand dealt at once, every packet given its table header. Items per second = hands.
void BM_BotTableHands(benchmark::State &state) {
    GameTable table(GameOptions{}, ChaChaRandom::Key{7}, 0);
    table.SetAutoStart(0, 0);
    int64_t now = 0;
    for (auto _ : state) {
        const int finished = table.Game().HandsFinished();
        while (table.Game().HandsFinished() == finished) {
            table.Tick(++now);
            benchmark::DoNotOptimize(table.TakePackets());
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BotTableHands);

// 500 tables of bots at human speed (800 ms thinking, the server's 100 ms tick, a new hand
// two seconds after the last): the CPU time of one simulated second of the whole server.
// Below 50 ms per iteration is below 5% of one core.
void BM_FiveHundredTablesOneSecond(benchmark::State &state) {
    constexpr int Tables = 500;
    constexpr int TickMs = 100;
    std::vector<std::unique_ptr<GameTable>> tables;
    for (int i = 0; i < Tables; ++i) {
        tables.push_back(std::make_unique<GameTable>(
            GameOptions{}, ChaChaRandom::Key{static_cast<uint32_t>(i + 1)}, 800));
        tables.back()->SetAutoStart(2000, 0);
    }
    int64_t now = 0;
    // Warm up past the first deal so every table is mid-game.
    for (int tick = 0; tick < 50; ++tick, now += TickMs)
        for (auto &table : tables) {
            table->Tick(now);
            benchmark::DoNotOptimize(table->TakePackets());
        }
    int64_t hands = 0;
    for (auto _ : state) {
        for (int tick = 0; tick < 1000 / TickMs; ++tick, now += TickMs)
            for (auto &table : tables) {
                table->Tick(now);
                benchmark::DoNotOptimize(table->TakePackets());
            }
    }
    for (const auto &table : tables)
        hands += table->Game().HandsFinished();
    state.counters["hands"] = static_cast<double>(hands);
}
BENCHMARK(BM_FiveHundredTablesOneSecond)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
