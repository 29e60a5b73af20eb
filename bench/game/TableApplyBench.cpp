// The table's share of a deal snapshot and of a play record: parsing, state updates and
// the turn rules, without the hand controls and painting.

#include "game/GameEngine.h"
#include "game/GameRecordCodec.h"
#include "game/TVestranoTable.h"
#include "game/TVestranoTableHost.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

// A host that answers as a player at seat 0 of a running game and ignores the rest.
class QuietHost final : public TVestranoTableHost {
public:
    bool GameRunning() const override { return Running; }
    void SetGameRunning(bool running) override { Running = running; }
    uint8_t OwnSeat() const override { return 0; }
    bool OwnIsPlayer() const override { return true; }
    int64_t OwnUserId() const override { return 1; }
    bool WindowHasFocus() const override { return true; }
    void PlaySound(const std::string &) override {}
    void ShowNotice(bool, const std::string &) override {}
    void SendRecord(std::string_view) override {}
    void SendReady() override {}
    void RequestResync() override { ++Resyncs; }
    void ReleaseMenuAndChat() override {}
    void StopClock() override {}
    void HandReplaced(int, bool) override {}
    void CardsRemoved(int, std::string_view) override {}
    void CardsMarked(int, std::string_view) override {}
    void UpdateTrusteeMark() override {}
    void RefreshTable() override {}
    void ClockChanged() override {}
    void TurnApplied() override {}
    void SnapshotApplied() override {}
    void ShowHandResult() override {}

    bool Running = false;
    int Resyncs = 0;
};

// The engine's deal snapshot: 74 fields, the 108-card deck and four 25-card hands.
std::string DealSnapshot() {
    GameEngine engine(GameOptions{}, {9, 9, 9, 9, 9, 9, 9, 9});
    engine.StartHand(0);
    for (const auto &packet : engine.TakeOutput())
        if (packet.SubKind == GameEngine::SubSnapshot)
            return packet.Payload;
    return {};
}

void BM_ApplyDealSnapshot(benchmark::State &state) {
    const std::string text = DealSnapshot();
    QuietHost host;
    TVestranoTable table(host);
    table.GameStart();
    for (auto _ : state) {
        table.ApplySnapshot(text);
        benchmark::DoNotOptimize(table.LiveHand(3).data());
    }
}
BENCHMARK(BM_ApplyDealSnapshot);

// Seats 1, 2 and 3 play single cards in turn; seat 0 holds nothing and is skipped. Each
// iteration times one record; the table is dealt again, untimed, when the hands run out.
void BM_ApplyPlayRecord(benchmark::State &state) {
    const std::string hand = "ABCDEFGHIJKLMabcdefghijklm";
    std::string text = "1,0,0,0,0,1,1,0,0,0,,," + hand + "," + hand + "," + hand;
    for (int field = 15; field < 74; ++field)
        text += field == 50 ? ",14" : ",";
    std::vector<std::string> records;
    for (size_t card = 0; card < hand.size(); ++card)
        for (uint8_t seat = 1; seat <= 3; ++seat)
            records.push_back(GameRecordCodec::Encode(GameRecordCodec::TGamePlayRec{
                GameRecordCodec::gmPlayed, seat, hand.substr(card, 1), hand.substr(card, 1)}));
    QuietHost host;
    TVestranoTable table(host);
    table.GameStart();
    size_t next = records.size();
    for (auto _ : state) {
        if (next == records.size()) {
            table.ApplySnapshot(text);
            next = 0;
        }
        const auto &record = records[next++];
        const auto start = std::chrono::steady_clock::now();
        table.ApplyRecord(
            std::span(reinterpret_cast<const uint8_t *>(record.data()), record.size()));
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    }
    if (host.Resyncs != 0)
        state.SkipWithError("a play was refused");
}
BENCHMARK(BM_ApplyPlayRecord)->UseManualTime();

} // namespace

BENCHMARK_MAIN();
