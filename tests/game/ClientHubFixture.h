#pragma once
// A game client attached to a hub that talks to a fake hall: packets go in as the hall
// would deliver them, and what the client sends is read back from the hall.

#include "../support/FakeHall.h"
#include "game/GameRecordCodec.h"
#include "game/TVestranoClient.h"
#include "plugin/OutgoingPackets.h"
#include "plugin/PluginPackets.h"
#include "plugin/TCustomPluginShare.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GameTest {

constexpr int64_t Me = 5000;

class ClientHubFixture : public testing::Test {
protected:
    ClientHubFixture() {
        qputenv("VESTRANO_WINDOW_DIR", (dir.path() + "/windows").toLocal8Bit());
        hub.SetIdentity(TModuleIdentity::Of(dir.path().toStdString() + "/",
                                            "{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}", "2.101.0.111",
                                            "4002"));
        hub.SetPluginClient(client);
        hub.SetInterface(&hall);
        // Faces and the hall's other files live in the test's own folder.
        hall.HallPath = dir.path().toStdString() + "/hall/";
        TStartInfo start;
        start.TableKey = 0x1234ABCD;
        start.UserId = Me;
        hub.StartPlugin(start);
        hall.Calls.clear();
        client->SetFocusProbe([] { return true; });
    }
    ~ClientHubFixture() override { delete client; }

    void Sit(uint8_t seat, bool player) {
        hub.Room().OwnSeat = seat;
        hub.Room().OwnPlayer = player;
    }
    void Deliver(uint8_t sub, const std::string &payload = {}) {
        const std::string packet = PluginPackets::TableHeader(0, sub) + payload;
        hub.ReceivePacket(static_cast<int>(packet.size()),
                          reinterpret_cast<const uint8_t *>(packet.data()));
    }
    void Record(const std::string &record) { Deliver(PluginPackets::Sub::GameRecord, record); }
    void Snapshot(const std::string &text) { Deliver(PluginPackets::Sub::Snapshot, text); }

    // The game records the client sent, in order; the sent list is then cleared, its
    // resync requests counted.
    std::vector<std::string> TakeSentRecords() {
        m_resyncsTaken = Resyncs();
        const std::string prefix = PluginPackets::GameRecordPacket(Me, {});
        std::vector<std::string> records;
        for (const auto &packet : hall.Sent())
            if (packet.starts_with(prefix))
                records.push_back(packet.substr(prefix.size()));
        hall.Calls.clear();
        return records;
    }
    int Resyncs() const {
        const std::string request =
            PluginPackets::TableHeader(Me, PluginPackets::Sub::TableStateRequest);
        int count = m_resyncsTaken;
        for (const auto &packet : hall.Sent())
            count += packet == request;
        return count;
    }
    TVestranoTable &Table() { return client->Table(); }

    QTemporaryDir dir;
    FakeHall hall;
    TCustomPluginShare hub;
    TVestranoClient *client = new TVestranoClient;

private:
    int m_resyncsTaken = 0;
};

} // namespace GameTest
