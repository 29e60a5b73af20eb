#include "HubTestSupport.h"

#include "platform/MciCommands.h"
#include "platform/RecordingMciBackend.h"

#include <filesystem>
#include <fstream>

using namespace HubTest;
namespace PP = PluginPackets;
using Platform::ByteWriter;

namespace {

std::string Header(int64_t sender, uint8_t sub) {
    return PP::TableHeader(sender, sub);
}

std::string UserList(const std::vector<STRU_PLUGIN_USERINFO> &users) {
    ByteWriter out;
    out.U8(9).U32LE(static_cast<uint32_t>(users.size()));
    for (const auto &user : users)
        out.Bytes(user.Bytes());
    return out.Take();
}

std::string Settlement(uint8_t phase, const std::vector<TSettlementEntry> &entries) {
    ByteWriter out;
    out.U8(16).U8(phase).U32LE(static_cast<uint32_t>(entries.size()));
    for (const auto &entry : entries)
        out.Bytes(entry.Bytes());
    return out.Take();
}

class RoomTest : public HubFixture {
protected:
    RoomTest() {
        user->SetHideInfo(false);
        Start();
    }
};

} // namespace

TEST_F(RoomTest, AUserListWithTheLocalWatcherAsksForItsSeat) {
    Deliver(UserList({User(1, 0, true), User(Me, 2, false)}));
    EXPECT_EQ(hall.Sent(), std::vector<std::string>{PP::SeatRequestPacket(2, true)});
    EXPECT_TRUE(Logged("Client.UserList(2)"));
    EXPECT_TRUE(Logged("User.AddUsers(2)"));
    EXPECT_TRUE(Logged("Client.SeatTaken(u1,3,0,1)"));
    EXPECT_EQ(hub.OwnSeat(), 2);

    hall.Calls.clear();
    Deliver(UserList({User(Me, 3, true)}));
    EXPECT_EQ(hall.Sent(), std::vector<std::string>{PP::SeatRequestPacket(2, true)})
        << "already known: the record is skipped and the local player still watches";
    hub.Room().OwnPlayer = true;
    hall.Calls.clear();
    Deliver(UserList({User(2, 1, true)}));
    EXPECT_TRUE(hall.Sent().empty()) << "a seated player asks for nothing";
}

TEST_F(RoomTest, ATooLongUserListAddsTwoHundredAndTellsNoPanel) {
    std::vector<STRU_PLUGIN_USERINFO> users;
    for (int i = 0; i < 300; ++i)
        users.push_back(User(100 + i, uint8_t(i % 4), false));
    EXPECT_THROW(Deliver(UserList(users)), EUserListOverflow);
    EXPECT_EQ(hub.Room().Users().size(), 200u);
    EXPECT_FALSE(Logged("User.AddUsers(200)"));
}

TEST_F(RoomTest, APlayerTakingAnOccupiedSeatEvictsTheFormerPlayer) {
    Enter(User(1, 3, true));
    Enter(User(2, 3, true));
    EXPECT_EQ(hub.FindUser(1), nullptr);
    EXPECT_TRUE(Logged("Client.SeatLeft(3,1)"));
    EXPECT_NE(hub.Room().FindDeparted(1), nullptr);
}

TEST_F(RoomTest, EnteringUsersAreAnnouncedUnlessTheyAreAdministrators) {
    Deliver(Header(0, 145) + "5,123,");
    EXPECT_TRUE(Logged("User.AdminList(5,123,,0)"));
    log.clear();
    hall.Calls.clear();
    Enter(User(23, 1, false, "Ann"));
    EXPECT_EQ(ChatLines(),
              std::vector<std::string>{"Chat.AddLine(\"Ann\"" + "进入房间"_gbk + ",8)"});
    EXPECT_EQ(hall.Sent(),
              (std::vector<std::string>{Header(23, 145), Header(23, 147), Header(0, 146)}));
    log.clear();
    Enter(User(123, 2, false, "Boss"));
    EXPECT_TRUE(ChatLines().empty());
    log.clear();
    Enter(User(23, 1, false, "Ann"));
    EXPECT_TRUE(log.empty()) << "a second arrival of the same user changes nothing";
    EXPECT_EQ(hub.Room().Users().size(), 2u);
}

TEST_F(RoomTest, AWatcherOfAPlayersSeatIsNamedWithThatPlayer) {
    Enter(User(1, 2, true, "Pat"));
    log.clear();
    Enter(User(2, 2, false, "Wes"));
    EXPECT_EQ(ChatLines().back(), "Chat.AddLine(\"Wes\"" + "正在旁观"_gbk + "\"Pat\",8)");
    user->SetHideInfo(true);
    log.clear();
    Enter(User(3, 2, false, "Zed"));
    EXPECT_EQ(ChatLines().front(), "Chat.AddLine(\"****\"" + "进入房间"_gbk + ",8)");
}

TEST_F(RoomTest, LeavingMovesTheRecordToTheDepartedAndTheLocalPlayerStops) {
    Deliver(Header(0, 145) + "9,");
    Enter(User(8, 1, true, "Al"));
    Enter(User(9, 2, false, "Mod"));
    log.clear();
    Deliver(std::string("\x0C\x08\0\0\0\0\0\0\0", 9));
    Deliver(std::string("\x0C\x09\0\0\0\0\0\0\0", 9));
    EXPECT_EQ(ChatLines(),
              (std::vector<std::string>{"Chat.AddLine(\"Al\"" + "离开房间"_gbk + ",8)",
                                        "Chat.AddLine(" + "[管理员]\"Mod\"离开房间"_gbk + ",11)"}));
    EXPECT_TRUE(Logged("Client.SeatLeft(1,8)"));
    EXPECT_EQ(hub.Room().FindDeparted(8)->NicknameText(), "Al");
    EXPECT_FALSE(hub.Stopped());
    Enter(User(Me, 0, false));
    Deliver(std::string("\x0C\x88\x13\0\0\0\0\0\0", 9));
    EXPECT_TRUE(hub.Stopped());
}

TEST_F(RoomTest, SeatChangesAreTakenOverOnlyWhenValid) {
    Enter(User(Me, 0, false));
    Deliver(std::string("\x0E\x88\x13\0\0\0\0\0\0\x03\x01\x00", 12));
    EXPECT_FALSE(hub.OwnIsPlayer());
    Deliver(std::string("\x0E\x88\x13\0\0\0\0\0\0\x03\x01\x01", 12));
    EXPECT_TRUE(hub.OwnIsPlayer());
    EXPECT_EQ(hub.OwnSeat(), 3);
    EXPECT_EQ(hub.FindUser(Me)->Seat, 3);
    EXPECT_TRUE(Logged("Client.SeatTaken(u5000,3,3,5000)"));
}

TEST_F(RoomTest, ListsMatchWholeIdsOnlyAndMutingIsAnnounced) {
    EXPECT_TRUE(TRoomState::OnList("5,123,", 123));
    EXPECT_FALSE(TRoomState::OnList("5,123,", 23));
    EXPECT_FALSE(TRoomState::OnList("5,123,", 12));
    EXPECT_FALSE(TRoomState::OnList("", 0));
    Enter(User(40, 1, false, "Loud"));
    log.clear();
    Deliver(Header(40, 146) + "40,");
    EXPECT_TRUE(hub.IsMuted(40));
    EXPECT_EQ(ChatLines(),
              std::vector<std::string>{"Chat.AddLine(\"Loud\"" + "已被管理员禁言"_gbk + ",8)"});
    log.clear();
    Deliver(Header(40, 146) + "41,");
    EXPECT_EQ(ChatLines(),
              std::vector<std::string>{"Chat.AddLine(\"Loud\"" + "已被管理员解除禁言"_gbk + ",8)"});
    Deliver(Header(77, 147) + "1,");
    EXPECT_EQ(hub.Room().List147, "") << "another user's list is ignored";
    Deliver(Header(Me, 147) + "1,");
    EXPECT_EQ(hub.Room().List147, "1,");
}

TEST_F(RoomTest, LevelsFollowTheScoreWithTheFirstThresholdForcedLowest) {
    auto settings = Settings();
    settings.WriteInteger("Level", "LevelCount", 3);
    settings.WriteString("Level", "Level1Score", "0");
    settings.WriteString("Level", "Level1Name", "novice");
    settings.WriteString("Level", "Level2Score", "100");
    settings.WriteString("Level", "Level2Name", "player");
    settings.WriteString("Level", "Level3Score", "five hundred");
    settings.WriteString("Level", "Level3Name", "odd");
    Start();
    EXPECT_EQ(hub.LevelName(0, 100), "odd") << "a threshold that is no number counts as 0";
    settings.WriteString("Level", "Level3Score", "500");
    Start();
    EXPECT_EQ(hub.LevelName(0, 100), "player");
    EXPECT_EQ(hub.LevelName(0, -5), "novice");
    EXPECT_EQ(hub.LevelName(0, 500), "odd");
    settings.WriteBool("Level", "LevelRelateScore", false);
    Start();
    EXPECT_EQ(hub.LevelName(100, -5), "player") << "levels follow the beans";

    // A count no table of levels reaches is cut short instead of stalling the start; the
    // levels beyond the file are nameless at threshold 0.
    settings.WriteInteger("Level", "LevelCount", 2147483647);
    Start();
    EXPECT_EQ(hub.LevelName(-5, 0), "novice");
    EXPECT_EQ(hub.LevelName(5, 0), "");
}

TEST_F(RoomTest, SettlementLinesAndCounters) {
    Configuration config;
    config.ScoreLines = 1;
    config.Roster = {{Me, 0, false}, {61, 0, false}, {62, 0, false}};
    Configure(config);
    Enter(User(61, 1, true, "Sam"));
    Enter(User(62, 2, true, "Kim"));
    log.clear();
    Deliver(Settlement(
        1, {{Me, 15, 115, 0, 0}, {61, 0, 50, 0, 0}, {62, -15, 85, 3, 9}, {999, 1, 1, 1, 1}}));
    const std::string expected = "本局score:"_gbk + "\rr5000   : +15\rr61     : 0\rr62     : -15";
    EXPECT_EQ(ChatLines(), std::vector<std::string>{"Chat.AddLine(" + expected + ",6)"});
    EXPECT_EQ(hub.FindUser(61)->Draws, 1);
    EXPECT_EQ(hub.FindUser(62)->Losses, 1);
    EXPECT_EQ(hub.FindUser(62)->Score, 85);
    EXPECT_EQ(hub.FindUser(62)->Beans, 9);
    EXPECT_TRUE(Logged("Client.Settlement(1,4)"));
    EXPECT_TRUE(Logged("User.SetScores(1,4)"));
    EXPECT_TRUE(Logged("Score.SetScores(1,4)"));

    log.clear();
    Deliver(Settlement(2, {{62, 100, 185, 0, 10}}));
    EXPECT_TRUE(ChatLines().empty());
    EXPECT_EQ(hub.FindUser(62)->Score, 185);
    EXPECT_EQ(hub.FindUser(62)->Wins, 0) << "phase 2 counts nothing";

    config.ScoreLines = 0;
    Configure(config);
    log.clear();
    Deliver(Settlement(1, {{62, 1, 999, 0, 0}}));
    EXPECT_EQ(hub.FindUser(62)->Score, 185) << "no lines configured: nothing changes";
    EXPECT_TRUE(log.empty());
}

TEST_F(RoomTest, HiddenNamesInSettlementLinesAreNumbered) {
    Configuration config;
    config.BeanLines = 1;
    config.HideNames = true;
    config.Roster = {{Me, 0, false}, {61, 0, false}};
    Configure(config);
    log.clear();
    Deliver(Settlement(3, {{Me, 0, 0, 5, 5}, {61, 0, 0, -5, 0}}));
    EXPECT_EQ(ChatLines(), std::vector<std::string>{"Chat.AddLine(" + "本局beans:"_gbk + ",6)"})
        << "a phase above 2 shows only the first line";
    log.clear();
    Deliver(Settlement(1, {{Me, 0, 0, 5, 5}, {61, 0, 0, -5, 0}}));
    EXPECT_EQ(ChatLines(),
              std::vector<std::string>{"Chat.AddLine(" + "本局beans:"_gbk + "\rr5000   : +5\r" +
                                       "玩家 2"_gbk + "  : -5,6)"});
}

TEST_F(RoomTest, ChatLinesBroadcastsAndColouredTexts) {
    Deliver(Header(Me, 67) + "mine");
    EXPECT_TRUE(ChatLines().empty()) << "the local player's line was shown when sent";
    hub.Room().SetBlocked(20077, true);
    Deliver(Header(20077, 67) + "blocked");
    EXPECT_TRUE(ChatLines().empty());
    Deliver(Header(20078, 67) + "fine");
    EXPECT_EQ(ChatLines(), std::vector<std::string>{"Chat.AddLine(fine,20078)"});
    log.clear();
    Deliver(Header(0, 73) + "0@zero");
    Deliver(Header(0, 73) + "x@letters");
    Deliver(Header(0, 73) + "no at sign");
    EXPECT_TRUE(log.empty());
    Deliver(Header(0, 73) + "12@a@b");
    EXPECT_EQ(ChatLines(), std::vector<std::string>{"Chat.AddLine(a@b,12)"});

    Settings().WriteBool("Option", "NeedShout", false);
    hub.LoadOptions();
    log.clear();
    Deliver(Header(20078, 66) + "theirs");
    EXPECT_TRUE(ChatLines().empty());
    Deliver(Header(Me, 66) + "mine");
    EXPECT_EQ(ChatLines(), std::vector<std::string>{"Chat.AddLine(mine,10)"});
}

TEST_F(RoomTest, ARelayedLineLosesItsActionCodeAndOnlyThatPart) {
    hub.RelayChatLine("wave&3 12345", 7);
    EXPECT_EQ(ChatLines(), std::vector<std::string>{"Chat.AddLine(wave,7)"});
    EXPECT_TRUE(Logged("Client.ChatLine(wave,7)"));
}

TEST_F(RoomTest, SayingSendsThroughTheWordFilterAndShowsTheLineLocally) {
    std::vector<std::string> said;
    hub.OnChatText = [&](QObject *, int64_t from, const std::string &text) {
        EXPECT_EQ(from, Me);
        said.push_back(text);
    };
    chat->Say(std::string(250, 'w'));
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].size(), 200u);
    EXPECT_EQ(hall.WordCellBefore, 1);
    EXPECT_EQ(hall.Sent().back(), PP::TextPacket(Me, 67, std::string(200, 'w')));
    EXPECT_EQ(ChatLines().back(), "Chat.AddLine(" + std::string(200, 'w') + ",5000)");

    hall.AllowWords = false;
    hall.Calls.clear();
    chat->Say("rude");
    EXPECT_TRUE(hall.Sent().empty());
    EXPECT_EQ(ChatLines().back(), "Chat.AddLine(" + "非法词汇,请重新输入!"_gbk + ",7)");
}

TEST_F(RoomTest, AnAdministratorsArrowLineIsANotice) {
    Deliver(std::string("\x08\x88\x13\0\0\0\0\0\0\x01", 10));
    Deliver(Header(Me, 147) + "5000,");
    hall.Calls.clear();
    chat->Say("->all stop");
    EXPECT_EQ(hall.Sent(),
              (std::vector<std::string>{Header(Me, 148), PP::AdminNoticePacket(Me, "all stop")}));
    EXPECT_EQ(ChatLines().back(), "Chat.AddLine(->all stop,8)");
}

TEST_F(RoomTest, ASpecialActionIsFilledWithBothNames) {
    Settings().WriteString("Action", "&3", "%1 waves at %2");
    Enter(User(Me, 0, true, "Me"));
    Enter(User(31, 1, true, "You%2"));
    hall.Calls.clear();
    chat->Say("&3 31");
    const std::string text = "\aMe waves at You%2(Me)&3 31";
    EXPECT_EQ(hall.Sent().back(), PP::TextPacket(Me, 67, text));
    chat->Say("&3");
    EXPECT_EQ(hall.Sent().back(),
              PP::TextPacket(Me, 67, "\aMe waves at "_gbk + "大家"_gbk + "(Me)&3"));
    chat->Say("&9 plain");
    EXPECT_EQ(hall.Sent().back(), PP::TextPacket(Me, 67, "&9 plain")) << "no template";
}

TEST_F(RoomTest, BroadcastsAreCheckedBeforeTheyGo) {
    Enter(User(Me, 0, true, "Me"));
    hall.Calls.clear();
    EXPECT_EQ(hub.SendShout("too soon"), 1);
    EXPECT_EQ(ChatLines().back(), "Chat.AddLine(" + "不能频繁发送广播信息!"_gbk + ",7)");
    EXPECT_EQ(hub.SendShout("see www.example.com"), 1);
    EXPECT_EQ(hub.SendShout(std::string(81, 'x')), 1);
    EXPECT_EQ(hub.SendShout(""), 1);
    EXPECT_TRUE(hall.Sent().empty());
}

TEST_F(RoomTest, SoundsFollowTheSoundSwitchAndTheShownWindow) {
    RecordingMciBackend backend;
    SetMciBackend(&backend);
    std::filesystem::create_directories(hub.Paths().SoundFolder);
    std::ofstream(hub.Paths().SoundFolder + "Ready.wav") << "RIFF";
    const std::string ready = Header(1, 19) + std::string("\1\0\0\0\0\0\0\0\1", 9);
    Deliver(ready);
    ASSERT_FALSE(backend.Commands.empty());
    EXPECT_NE(backend.Commands.front().find("/Sound/" + ClassId + "/Ready.wav\""),
              std::string::npos);

    Settings().WriteBool("Option", "HaveSound", false);
    hub.LoadOptions();
    backend.Commands.clear();
    Deliver(ready);
    EXPECT_TRUE(backend.Commands.empty()) << "sound switched off";
    Settings().WriteBool("Option", "HaveSound", true);
    hub.LoadOptions();
    hub.SetWindowShown(false);
    Deliver(ready);
    EXPECT_TRUE(backend.Commands.empty()) << "window hidden to the tray";
    hub.SetWindowShown(true);
    Deliver(ready);
    EXPECT_FALSE(backend.Commands.empty());
    SetMciBackend(nullptr);
}
