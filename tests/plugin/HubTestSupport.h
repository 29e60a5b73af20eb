#pragma once
// A hub with every component attached, a fake hall, and a settings file of its own in
// a temporary folder.

#include "../support/FakeHall.h"
#include "RecordingComponents.h"
#include "common/Gbk.h"
#include "common/TIniFile.h"
#include "platform/ByteWriter.h"
#include "plugin/OutgoingPackets.h"
#include "plugin/TCustomPluginShare.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace HubTest {

constexpr int64_t Me = 5000;
constexpr int64_t TableKey = 0x1234ABCD;
inline const std::string ClassId = "{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}";

inline STRU_PLUGIN_USERINFO User(int64_t id, uint8_t seat, bool player,
                                 const std::string &name = {}) {
    STRU_PLUGIN_USERINFO user;
    user.UserId = id;
    user.SetNickname(name.empty() ? "u" + std::to_string(id) : name);
    user.Seat = seat;
    user.Player = player ? 1 : 0;
    user.Face = 3;
    return user;
}

// A table configuration record (game message 255).
struct Configuration {
    int32_t RoundsRequired = 0;
    int32_t ScoreLines = 0;
    int32_t BeanLines = 0;
    int32_t PenaltyScore = 0;
    int32_t MinPlayers = 0;
    bool Match = false;
    bool HideNames = false;
    bool ChatLocked = false;
    std::string ScoreName = "score";
    std::string BeanName = "beans";
    // Roster entries: id, rounds played, out of count.
    std::vector<std::tuple<int64_t, int32_t, bool>> Roster;
    int32_t RosterCount = -1; // -1: the number of entries

    std::string Record() const {
        Platform::ByteWriter rules;
        rules.I32LE(RoundsRequired).I32LE(ScoreLines).I32LE(BeanLines).I32LE(PenaltyScore);
        rules.I32LE(0).Zeros(12).I32LE(MinPlayers).Zeros(4);
        rules.U8(Match).U8(HideNames).U8(ChatLocked).U8(0).U8(0);
        rules.ShortString("gold", 41).ShortString(BeanName, 20).ShortString(ScoreName, 19);
        Platform::ByteWriter out;
        out.U8(255).U8(0).I32LE(11).I32LE(12).I32LE(13).I32LE(14).U8(15);
        out.Bytes(rules.Data()).U8(16);
        out.I32LE(RosterCount >= 0 ? RosterCount : static_cast<int32_t>(Roster.size()));
        for (const auto &[id, rounds, out_of_count] : Roster) {
            Platform::ByteWriter entry;
            entry.I64LE(id).Bytes("r" + std::to_string(id));
            entry.Zeros(32 - entry.Size()).U8(out_of_count).I32LE(rounds);
            entry.Zeros(63 - entry.Size());
            out.Bytes(entry.Data());
        }
        return out.Take();
    }
};

class HubFixture : public testing::Test {
protected:
    HubFixture() {
        qputenv("VESTRANO_WINDOW_DIR", (dir.path() + "/windows").toLocal8Bit());
        hub.SetIdentity(
            TModuleIdentity::Of(dir.path().toStdString() + "/", ClassId, "2.101.0.111", "4002"));
        hub.SetPluginUser(user);
        hub.SetPluginChat(chat);
        hub.SetPluginClient(client);
        hub.SetPluginScore(score);
        hub.SetPluginDialog(dialog);
        hub.SetPluginEvents(events);
        hub.SetInterface(&hall);
    }
    ~HubFixture() override {
        delete user;
        delete chat;
        delete client;
        delete score;
        delete dialog;
        delete events;
    }

    TIniFile Settings() const {
        return TIniFile(dir.path().toStdString() + "/" + ClassId + ".ini");
    }

    void Start(int64_t me = Me) {
        TStartInfo start;
        start.TableKey = TableKey;
        start.UserId = me;
        start.Nickname = "me";
        hub.StartPlugin(start);
        log.clear();
        hall.Calls.clear();
    }
    void Deliver(const std::string &packet) {
        hub.ReceivePacket(static_cast<int>(packet.size()),
                          reinterpret_cast<const uint8_t *>(packet.data()));
    }
    void Enter(const STRU_PLUGIN_USERINFO &record) { Deliver("\12" + record.Bytes()); }
    void Configure(const Configuration &config) {
        Deliver(PluginPackets::TableHeader(0, 17) + config.Record());
    }
    bool Logged(const std::string &line) const {
        return std::find(log.begin(), log.end(), line) != log.end();
    }
    std::vector<std::string> ChatLines() const {
        std::vector<std::string> lines;
        for (const auto &line : log)
            if (line.starts_with("Chat.AddLine("))
                lines.push_back(line);
        return lines;
    }

    QTemporaryDir dir;
    FakeHall hall;
    CallLog log;
    TCustomPluginShare hub;
    RecordingUser *user = new RecordingUser(log);
    RecordingChat *chat = new RecordingChat(log);
    RecordingClient *client = new RecordingClient(log);
    RecordingScore *score = new RecordingScore(log);
    AnsweringDialog *dialog = new AnsweringDialog(log);
    RecordingEvents *events = new RecordingEvents(log);
};

} // namespace HubTest
