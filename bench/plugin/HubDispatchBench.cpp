// From the hall's delivery to the component's operation, with nothing painted: a chat
// line (kind 3 sub-kind 67) and a game message (sub-kind 17).

#include "../../tests/support/FakeHall.h"
#include "common/TIniFile.h"
#include "plugin/OutgoingPackets.h"
#include "plugin/TCustomPluginChat.h"
#include "plugin/TCustomPluginClient.h"
#include "plugin/TCustomPluginShare.h"
#include "plugin/TCustomPluginUser.h"

#include <QApplication>
#include <QDir>

#include <benchmark/benchmark.h>

namespace {

class CountingChat : public TCustomPluginChat {
public:
    void AddLine(const std::string &text, int64_t) override { Bytes += text.size(); }
    size_t Bytes = 0;
};

class CountingClient : public TCustomPluginClient {
public:
    void OnGameRecord(std::span<const uint8_t> record, int64_t) override { Bytes += record.size(); }
    size_t Bytes = 0;
};

struct Table {
    FakeHall Hall;
    TCustomPluginShare Hub;
    TCustomPluginUser User;
    CountingChat Chat;
    CountingClient Client;

    explicit Table(bool sound = true) {
        const std::string folder = QDir::tempPath().toStdString() + "/";
        {
            TIniFile settings(folder + "{BENCH}.ini");
            settings.WriteBool("Option", "HaveSound", sound);
        }
        Hub.SetIdentity(TModuleIdentity::Of(folder, "{BENCH}", "1", "1"));
        Hub.SetPluginUser(&User);
        Hub.SetPluginChat(&Chat);
        Hub.SetPluginClient(&Client);
        Hub.SetInterface(&Hall);
        TStartInfo start;
        start.UserId = 5000;
        Hub.StartPlugin(start);
    }
    void Deliver(const std::string &packet) {
        Hub.ReceivePacket(static_cast<int>(packet.size()),
                          reinterpret_cast<const uint8_t *>(packet.data()));
    }
};

// Another player's line plays the information sound first: two look-ups of the sound
// file (the ".wav", then the ".mp3"), which the file system answers in microseconds.
void BM_ChatLineToPanel(benchmark::State &state) {
    Table table(state.range(0) != 0);
    const std::string packet = PluginPackets::TableHeader(20001, 67) + "a chat line of some length";
    for (auto _ : state)
        table.Deliver(packet);
    benchmark::DoNotOptimize(table.Chat.Bytes);
}
BENCHMARK(BM_ChatLineToPanel)->ArgName("sound")->Arg(0)->Arg(1);

void BM_GameRecordToClient(benchmark::State &state) {
    Table table;
    const std::string packet =
        PluginPackets::TableHeader(20001, 17) + std::string("\x01\x02SAHBHCHD", 10);
    for (auto _ : state)
        table.Deliver(packet);
    benchmark::DoNotOptimize(table.Client.Bytes);
}
BENCHMARK(BM_GameRecordToClient);

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
