// The game table on screen, offscreen: a play record refreshes and repaints the whole
// 811 × 698 table (target: 1 ms median), a tick of the deal animation moves the cards and
// repaints (target: 300 µs). The table is attached to a hub, so every notice takes its
// real path; setting a hand up again is left out of the timing.
#include "game/GameRecordCodec.h"
#include "game/TDealAnimation.h"
#include "game/TVestranoClient.h"
#include "platform/FontSetup.h"
#include "plugin/OutgoingPackets.h"
#include "plugin/PluginPackets.h"
#include "plugin/TCustomPluginShare.h"
#include "plugin/TCustomPluginUser.h"
#include "resources/Resources.h"
#include "support/FakeHall.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int64_t Me = 5000;
const std::string Hand = "ABCDEFGHIJKLMabcdefghijklm";

// Counts the table's paint events, so that a benchmark shows it really repainted.
class TPaintCounter final : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override {
        Paints += event->type() == QEvent::Paint;
        return false;
    }
    int Paints = 0;
};

// A hub and a shown table with the local player at seat 0.
struct TShownTable {
    TShownTable() {
        qputenv("VESTRANO_WINDOW_DIR", (dir.path() + "/windows").toLocal8Bit());
        hub.SetIdentity(TModuleIdentity::Of(dir.path().toStdString() + "/",
                                            "{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}", "2.101.0.111",
                                            "4002"));
        hub.SetPluginClient(client);
        hub.SetPluginUser(&user);
        hub.SetInterface(&hall);
        TStartInfo start;
        start.TableKey = 1;
        start.UserId = Me;
        hub.StartPlugin(start);
        hub.Room().OwnSeat = 0;
        hub.Room().OwnPlayer = true;
        client->SetFocusProbe([] { return true; });
        client->resize(811, 698);
        client->show();
        client->installEventFilter(&paints);
        // The window paints only once the platform has exposed it.
        QCoreApplication::processEvents();
        Deliver(PluginPackets::Sub::GameStart);
    }
    ~TShownTable() { delete client; }

    void Deliver(uint8_t sub, const std::string &payload = {}) {
        const std::string packet = PluginPackets::TableHeader(0, sub) + payload;
        hub.ReceivePacket(int(packet.size()), reinterpret_cast<const uint8_t *>(packet.data()));
        hall.Calls.clear();
    }
    // Fields 0..73: seat 1 to play, the own seat 0 holding a full hand face up; `dealing`
    // deals a full deck to all four seats instead.
    void Snapshot(bool dealing) {
        const std::string deck = Hand + Hand + Hand + Hand + "01" + Hand.substr(0, 2);
        std::string text = std::string("1,") + (dealing ? "1" : "0") + ",0,0,0,1,1,0,2,0," +
                           (dealing ? deck : "") + "," + Hand + "," + Hand + "," + Hand + "," +
                           Hand;
        for (int field = 15; field < 74; ++field)
            text += field == 50 ? ",14" : field == 37 ? ",Q" : ",";
        Deliver(PluginPackets::Sub::Snapshot, text);
    }

    QTemporaryDir dir;
    FakeHall hall;
    TCustomPluginShare hub;
    TCustomPluginUser user;
    TVestranoClient *client = new TVestranoClient;
    TPaintCounter paints;
};

void CountPaints(benchmark::State &state, const TShownTable &table) {
    state.counters["paints/iteration"] =
        benchmark::Counter(double(table.paints.Paints) / double(state.iterations()));
}

template <class F> double Timed(F &&work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seats 1, 2 and 3 play single cards in turn and the own seat 0, holding its hand, lets
// its clock pass for it; one record, its refresh and the repaint of the whole table (the
// own hand and its buttons included) per iteration.
void BM_PlayRecordRefreshAndRepaint(benchmark::State &state) {
    namespace GRC = GameRecordCodec;
    TShownTable table;
    std::vector<std::string> records;
    const std::string header = PluginPackets::TableHeader(0, PluginPackets::Sub::GameRecord);
    // The last card would end the hand: every seat keeps one.
    for (size_t card = 0; card + 1 < Hand.size(); ++card) {
        for (uint8_t seat = 1; seat <= 3; ++seat)
            records.push_back(
                header + GRC::Encode(GRC::TGamePlayRec{GRC::gmPlayed, seat, Hand.substr(card, 1),
                                                       Hand.substr(card, 1)}));
        records.push_back(header + GRC::Encode(GRC::TGameTimeoutPassRec{0}));
    }
    size_t next = records.size();
    bool refused = false;
    for (auto _ : state) {
        if (next == records.size()) {
            table.Snapshot(false);
            next = 0;
        }
        const int seat = (1 + int(next % 4)) % 4;
        const auto &before = table.client->Table();
        const size_t cards = before.LiveHand(seat).size();
        const int current = before.CurrentSeat;
        const std::string &packet = records[next++];
        state.SetIterationTime(Timed([&] {
            table.hub.ReceivePacket(int(packet.size()),
                                    reinterpret_cast<const uint8_t *>(packet.data()));
            table.client->repaint();
        }));
        const auto &after = table.client->Table();
        const bool bad = current != seat || after.CurrentSeat == seat ||
                         (seat != 0 && after.LiveHand(seat).size() != cards - 1);
        refused |= bad;
    }
    if (refused)
        state.SkipWithError("a play was refused");
    CountPaints(state, table);
}
BENCHMARK(BM_PlayRecordRefreshAndRepaint)->UseManualTime()->Unit(benchmark::kMicrosecond);

// RefreshTable alone in the middle of play: visibility, layout and the full repaint.
void BM_RefreshTable(benchmark::State &state) {
    TShownTable table;
    table.Snapshot(false);
    for (auto _ : state) {
        table.client->RefreshTable();
        table.client->repaint();
    }
    CountPaints(state, table);
}
BENCHMARK(BM_RefreshTable)->Unit(benchmark::kMicrosecond);

// One tick of the deal animation and the repaint it asks for.
void BM_DealTick(benchmark::State &state) {
    TShownTable table;
    for (auto _ : state) {
        if (table.client->Deal().DealTick() == 0) {
            table.Snapshot(true);
            table.client->repaint();
        }
        state.SetIterationTime(Timed([&] {
            table.client->DealTimerTick();
            table.client->repaint();
        }));
    }
    CountPaints(state, table);
}
BENCHMARK(BM_DealTick)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Platform::InstallFontSubstitutions();
    Resources::Initialize();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
