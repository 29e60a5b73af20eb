#include "HubTestSupport.h"

#include "platform/WindowMessages.h"

#include <QWidget>

using namespace HubTest;
namespace PP = PluginPackets;
using Platform::ByteWriter;

namespace {

std::string Header(int64_t sender, uint8_t sub) {
    return PP::TableHeader(sender, sub);
}

class DispatchTest : public HubFixture {};

} // namespace

TEST_F(DispatchTest, EveryIncomingKindReachesItsHandlerWithItsArguments) {
    Start();
    Enter(User(77, 2, true));
    log.clear();
    struct Case {
        std::string Packet;
        std::string Expected;
    };
    ByteWriter channel2;
    channel2.U8(4).U8(2).I64LE(77).I32LE(-3).I32LE(2).Bytes("\x01\x02");
    ByteWriter mood;
    mood.Bytes(Header(77, 112)).I64LE(0).I64LE(77).U64LE(2).ShortString("glad", 20);
    ByteWriter admin;
    admin.Bytes(Header(1, 82)).I64LE(77).U8(9).ShortString("hush", 255);
    ByteWriter expel;
    expel.Bytes(Header(1, 20)).I64LE(77).I64LE(88).U8(3).ShortString("why", 40);
    ByteWriter kick;
    kick.U8(19).U8(7).I64LE(1).I64LE(88).I32LE(3).Bytes("bad");
    const std::vector<Case> cases = {
        {Header(77, 17) + "\x01\x02", "Client.GameRecord(0102,77)"},
        {Header(77, 18) + "snap", "Client.Snapshot(736E6170)"},
        {Header(77, 19) + std::string("\x4D\0\0\0\0\0\0\0\1", 9), "Client.SeatReady(2)"},
        {Header(77, 19) + std::string("\x01\0\0\0\0\0\0\0\1", 9), "Client.SeatReady(0)"},
        {Header(77, 21) + std::string(11, '\x05'), "Client.SafeBox(0505050505050505050505)"},
        {Header(77, 33) + std::string("\x88\x13\0\0\0\0\0\0\1", 9), "Client.WatchPermission(1)"},
        {Header(0, 49), "Client.GameStart()"},
        {Header(0, 50), "Client.GameOver()"},
        {Header(0, 65) + "notice", "Client.ServerText(notice)"},
        {Header(0, 65) + "notice", "Chat.AddLine(notice,7)"},
        {Header(0, 65) + "@$event", "Events.ShowEvent(@$event)"},
        {Header(77, 66) + "shout", "Chat.AddLine(shout,10)"},
        {Header(77, 67) + "hello", "Chat.AddLine(hello,77)"},
        {Header(0, 73) + "7@seven", "Chat.AddLine(seven,7)"},
        {admin.Data(), "Client.AdminNotice(9,hush,77)"},
        {mood.Data(), "Client.Mood(2,glad,77,0)"},
        {std::string("\4\0\x4D\0\0\0\0\0\0\0\x05\0\0\0", 14), "Client.Channel0(5,77)"},
        {std::string("\4\1\x4D\0\0\0\0\0\0\0\x06\0\0\0", 14), "Client.Channel1(6,77)"},
        {channel2.Data(), "Client.Channel2(-3,0102,77)"},
        {std::string("\x08\x4D\0\0\0\0\0\0\0\x02", 10), "Client.RightsChanged(2,77)"},
        {std::string("\x1E\x4D\0\0\0\0\0\0\0\x64\0\0\0", 13), "Client.NetDelay(100,77)"},
        {std::string("\x0E\x4D\0\0\0\0\0\0\0\x01\x01\x01", 12), "Client.SeatChanged(1,1,1,77)"},
        {std::string("\x1F\x07\0\0\0\0\0\0\0relay\0junk", 19), "Chat.AddLine(relay,7)"},
        {expel.Data(), "Client.Expel(3,why,88,77)"},
        {kick.Data(), "Client.Kick(7,bad,88,1)"},
        {std::string("\x0C\x4D\0\0\0\0\0\0\0", 9), "Client.UserLeft(77)"},
    };
    for (const auto &c : cases) {
        log.clear();
        Deliver(c.Packet);
        EXPECT_TRUE(Logged(c.Expected)) << c.Expected;
    }
}

TEST_F(DispatchTest, APacketCutShortReachesNoHandlerAndTheNextOneIsHandled) {
    Start();
    ByteWriter expel;
    expel.Bytes(Header(1, 20)).I64LE(77).I64LE(88).U8(1).ShortString("why", 40);
    ByteWriter mood;
    mood.Bytes(Header(77, 112)).I64LE(0).I64LE(77).U64LE(2).ShortString("glad", 20);
    const std::vector<std::string> packets = {expel.Data(),
                                              mood.Data(),
                                              Header(1, 19) + std::string(9, '\1'),
                                              std::string("\x0A") + User(9, 1, true).Bytes(),
                                              std::string("\x0E\x4D\0\0\0\0\0\0\0\x01\x01\x01", 12),
                                              std::string("\x1E\x4D\0\0\0\0\0\0\0\x64\0\0\0", 13)};
    for (const auto &packet : packets) {
        for (size_t length = 1; length < packet.size(); ++length) {
            log.clear();
            hall.Calls.clear();
            Deliver(packet.substr(0, length));
            EXPECT_TRUE(log.empty()) << "length " << length << ": " << log.front();
            EXPECT_TRUE(hall.Calls.empty());
        }
    }
    EXPECT_TRUE(hub.Room().Users().empty());
    Deliver(Header(0, 49));
    EXPECT_TRUE(Logged("Client.GameStart()"));
}

TEST_F(DispatchTest, PrepCommandSeesEveryPacketOfPositiveLengthFirst) {
    std::vector<int> lengths;
    hub.OnPrepCommand = [&](QObject *sender, int len, const uint8_t *data) {
        EXPECT_EQ(sender, &hub);
        lengths.push_back(len);
        log.push_back("Prep(" + std::to_string(data[0]) + ")");
    };
    Deliver("\5");
    Deliver(std::string("\310\1", 2));
    hub.ReceivePacket(0, reinterpret_cast<const uint8_t *>("\3"));
    hub.ReceivePacket(-4, reinterpret_cast<const uint8_t *>("\3"));
    Deliver(Header(0, 67)); // a chat packet of exactly its header shows nothing
    Deliver(Header(0, 49));
    EXPECT_EQ(lengths, (std::vector<int>{1, 2, 10, 10}));
    EXPECT_EQ(log,
              (CallLog{"Prep(5)", "Prep(200)", "Prep(3)", "Prep(3)",
                       "Client.ChatLine(" + "****游戏开始****"_gbk + ",8)",
                       "Chat.AddLine(" + "****游戏开始****"_gbk + ",8)", "Client.GameStart()"}));
}

// The window the hub was started with dispatches through its private message.
class DispatchingWindow : public QWidget {
public:
    explicit DispatchingWindow(TCustomPluginShare &hub)
        : m_hub(hub) {}
    int Messages = 0;

protected:
    bool event(QEvent *event) override {
        if (auto *message = Platform::TWindowMessageEvent::From(event)) {
            if (message->Message == TCustomPluginShare::WM_DISPATCHPACKET)
                message->Handle([this] {
                    ++Messages;
                    m_hub.DispatchPacket();
                    return 0;
                });
            return true;
        }
        return QWidget::event(event);
    }

private:
    TCustomPluginShare &m_hub;
};

TEST_F(DispatchTest, PacketsReachTheMainWindowThroughItsPrivateMessage) {
    DispatchingWindow window(hub);
    TStartInfo start;
    start.TableKey = TableKey;
    start.UserId = Me;
    start.Window = Platform::HandleOf(&window);
    hub.StartPlugin(start);
    log.clear();
    Deliver(Header(0, 49));
    EXPECT_EQ(window.Messages, 1);
    EXPECT_TRUE(Logged("Client.GameStart()"));
    // An error in a handler ends that packet and comes back to the caller; the next
    // packet is handled normally.
    hall.FailMethod = 19;
    EXPECT_THROW(Enter(User(9, 1, false)), EHallRequestFailed);
    hall.FailMethod = 0;
    Deliver(Header(0, 50));
    EXPECT_TRUE(Logged("Client.GameOver()"));
    EXPECT_EQ(window.Messages, 3);
    // The hall's buffer was lent for that dispatch only: a stray dispatch message
    // afterwards finds no packet and reads nothing.
    log.clear();
    Platform::SendMessage(start.Window, TCustomPluginShare::WM_DISPATCHPACKET, 0, 0);
    EXPECT_EQ(window.Messages, 4);
    EXPECT_TRUE(log.empty());
}

TEST_F(DispatchTest, EveryRequestGoesToTheHallWithTheTableKey) {
    Start();
    Enter(User(Me, 1, true));
    hall.Calls.clear();
    client->SendGameRecord("rec", 77);
    client->SendReady();
    client->RequestResync();
    hub.SendExpel(1, "reason", 88);
    hub.WatchPermission(true, 77);
    hub.SendKick(2, "bad", 88);
    hub.RequestSeat(3, false);
    hub.RequestSeat(1, true); // already there: nothing
    const std::vector<std::string> expected = {PP::GameRecordPacket(Me, "rec"),
                                               Header(Me, 3),
                                               Header(Me, 2),
                                               PP::ExpelPacket(Me, 88, 1, "reason"),
                                               PP::WatchPermissionPacket(Me, 77, true),
                                               PP::KickPacket(2, 88, "bad"),
                                               PP::SeatRequestPacket(3, false)};
    EXPECT_EQ(hall.Sent(), expected);
    for (const auto &call : hall.Calls)
        EXPECT_EQ(call.TableKey, TableKey);
    EXPECT_EQ(hall.Calls[0].Target, 77);
    EXPECT_EQ(hall.Calls[1].Target, 0);
    EXPECT_FALSE(score->isVisible());
}

TEST_F(DispatchTest, WithoutARequestInterfaceNothingIsSentAndNothingFails) {
    TCustomPluginShare bare;
    bare.SetIdentity(TModuleIdentity::Of(dir.path().toStdString() + "/", ClassId, "1", "4002"));
    TStartInfo start;
    start.UserId = Me;
    EXPECT_NO_THROW(bare.StartPlugin(start));
    EXPECT_EQ(bare.Paths().HallFolder, "");
    EXPECT_NO_THROW(bare.SendReady());
    EXPECT_NO_THROW(bare.SendSay("hello"));
    EXPECT_NO_THROW(bare.StopPlugin());
}

TEST_F(DispatchTest, ARefusedTableSendsOnlyTheExemptPackets) {
    Start();
    Enter(User(Me, 1, true));
    ByteWriter kick;
    kick.U8(19).U8(0).I64LE(1).I64LE(Me).I32LE(3).Bytes("bad");
    hall.Calls.clear();
    Deliver(kick.Data());
    EXPECT_TRUE(hub.Refused());
    EXPECT_TRUE(hub.Stopped());
    // The stop's leave notices went out although the table is refused.
    EXPECT_EQ(hall.Sent(), (std::vector<std::string>{Header(Me, 96), PP::UserPacket(11, Me)}));
    EXPECT_EQ(hall.CountOf(12), 1);
    hall.Calls.clear();
    hub.SendReady();
    client->SendGameRecord("x", 0);
    hub.SendSay("hi");
    EXPECT_TRUE(hall.Sent().empty());
    Deliver(Header(1, 17) + "\x01");
    EXPECT_FALSE(Logged("Client.GameRecord(01,1)")) << "no game messages while refused";
    Enter(User(60, 2, false));
    EXPECT_EQ(hall.Sent().size(), 3u) << "list requests still go out";
}

TEST_F(DispatchTest, ADestroyedComponentIsDetachedAndLaterCallsAreSkipped) {
    Start();
    delete chat;
    chat = nullptr;
    EXPECT_EQ(hub.PluginChat(), nullptr);
    Deliver(Header(77, 67) + "hello");
    Deliver(Header(0, 65) + "notice");
    EXPECT_TRUE(Logged("Client.ServerText(notice)"));
    delete client;
    client = nullptr;
    EXPECT_EQ(hub.PluginClient(), nullptr);
    Deliver(Header(1, 17) + "\x01");
    Deliver(Header(0, 49));
    EXPECT_TRUE(hub.GameRunning());
    EXPECT_EQ(hub.ScoreName(), "积分"_gbk);
    hub.StopPlugin();
    EXPECT_TRUE(Logged("User.Finalize()"));
}

TEST_F(DispatchTest, ComponentsForwardNothingWithoutAHub) {
    CallLog other;
    RecordingClient loose(other);
    EXPECT_NO_THROW(loose.SendReady());
    EXPECT_NO_THROW(loose.ShowNotice(true, "x"));
    EXPECT_EQ(loose.OwnUserId(), 0);
    EXPECT_EQ(loose.FaceFolder(), "");
    {
        TCustomPluginShare shortLived;
        shortLived.SetPluginClient(&loose);
        EXPECT_EQ(loose.PluginShare(), &shortLived);
    }
    EXPECT_EQ(loose.PluginShare(), nullptr);
}

TEST_F(DispatchTest, StartAndStopRunTheComponentsInContractOrder) {
    hall.HallPath = "/hall/dir";
    TStartInfo start;
    start.TableKey = TableKey;
    start.UserId = Me;
    int initialized = 0;
    hub.OnInitialize = [&](QObject *) {
        ++initialized;
    };
    hub.StartPlugin(start);
    EXPECT_EQ(initialized, 1);
    EXPECT_EQ(hub.Paths().HallFolder, "/hall/dir/");
    EXPECT_EQ(hub.Paths().FaceFolder, "/hall/dir/Face/");
    const CallLog expectedStart = {
        "User.LoadOptions()",
        "Chat.LoadOptions()",
        "Client.OnOptionsLoaded()",
        "Score.LoadOptions()",
        "Dialog.LoadOptions()",
        "User.Initialize()",
        "Chat.Initialize()",
        "Client.OnHubStarted()",
        "Client.ServerText(" + "[提示]:当前客户端版本为:2.101.0.111"_gbk + ")",
        "Chat.AddLine(" + "[提示]:当前客户端版本为:2.101.0.111"_gbk + ",1)",
        "Score.Initialize()",
        "Dialog.Initialize()"};
    EXPECT_EQ(log, expectedStart);
    EXPECT_EQ(hall.Sent().back(), Header(Me, 2)) << "the table state is asked for";
    EXPECT_EQ(client->ValueA(), 1);

    log.clear();
    hall.Calls.clear();
    hub.StopPlugin();
    hub.StopPlugin();
    const CallLog expectedStop = {"User.BeforeFinalize()",   "Chat.BeforeFinalize()",
                                  "Client.OnHubStopping()",  "Score.BeforeFinalize()",
                                  "Dialog.BeforeFinalize()", "User.Finalize()",
                                  "Chat.Finalize()",         "Client.OnHubClosing()",
                                  "Score.Finalize()",        "Dialog.Finalize()"};
    EXPECT_EQ(log, expectedStop);
    EXPECT_EQ(hall.Sent(), std::vector<std::string>{PP::UserPacket(11, Me)})
        << "a watcher leaves without the seated player's notice, once";
    EXPECT_EQ(hall.CountOf(12), 1);
}

TEST_F(DispatchTest, AHallRefusingTheLeaveNoticesStillHearsOfTheEnd) {
    TStartInfo start;
    start.TableKey = TableKey;
    start.UserId = Me;
    hub.StartPlugin(start);
    log.clear();
    hall.Calls.clear();
    hall.FailMethod = 19;
    EXPECT_THROW(hub.StopPlugin(), EHallRequestFailed) << "the refusal is not swallowed";
    EXPECT_EQ(log.back(), "Dialog.Finalize()") << "every component stopped all the same";
    EXPECT_EQ(hall.CountOf(12), 1) << "and the hall was told the table is finished";
    EXPECT_NO_THROW(hub.StopPlugin()) << "a stop runs once";
    EXPECT_EQ(hall.CountOf(12), 1);
}

TEST_F(DispatchTest, TheTableConfigurationIsAppliedAndAcknowledgedOncePerStart) {
    Start();
    Configuration config;
    config.Match = true;
    config.HideNames = true;
    Configure(config);
    EXPECT_TRUE(user->HideInfo());
    EXPECT_TRUE(chat->Locked());
    EXPECT_FALSE(hub.MenuEnabled());
    EXPECT_TRUE(Logged("User.ConfigurationApplied()"));
    EXPECT_EQ(hall.Sent(), std::vector<std::string>{PP::UserPacket(7, Me)});
    EXPECT_EQ(client->ValueA(), 11);
    EXPECT_EQ(client->ValueE(), 15);
    EXPECT_EQ(client->ValueF(), 16);
    EXPECT_EQ(hub.ScoreName(), "score");

    hall.Calls.clear();
    config.Match = false;
    Configure(config);
    EXPECT_TRUE(hall.Sent().empty()) << "no second acknowledgement";
    Start();
    Configure(config);
    EXPECT_EQ(hall.Sent(), std::vector<std::string>{PP::UserPacket(7, Me)});
}

TEST_F(DispatchTest, RosterLookUpsAndTheRoundsRule) {
    Start();
    EXPECT_EQ(hub.ScoreName(), "") << "a client without a configuration has no names yet";
    Configuration config;
    config.RoundsRequired = 3;
    config.MinPlayers = 4;
    config.Roster = {{Me, 2, false}, {71, 5, false}, {72, 1, false}, {73, 0, false}};
    Configure(config);
    EXPECT_EQ(client->ActiveRosterCount(), 4);
    EXPECT_FALSE(client->HasPlayedEnough(Me));
    EXPECT_TRUE(client->HasPlayedEnough(71)) << "played the rounds required";
    EXPECT_TRUE(client->HasPlayedEnough(73)) << "not started";
    EXPECT_TRUE(client->HasPlayedEnough(999)) << "not in the roster";
    EXPECT_EQ(client->RosterName(71), "r71");
    EXPECT_EQ(client->RoundsPlayed(999), 0);
    EXPECT_EQ(client->FindRosterEntry(-71).UserId(), 0);
    config.MinPlayers = 5;
    Configure(config);
    EXPECT_TRUE(client->HasPlayedEnough(Me));

    config.RosterCount = 201;
    config.ScoreName = "points";
    Configure(config);
    EXPECT_EQ(client->Roster().size(), 4u) << "a count out of range keeps the roster";
    EXPECT_EQ(hub.ScoreName(), "points") << "but applies the rest";
    config.RosterCount = 0;
    Configure(config);
    EXPECT_TRUE(client->Roster().empty());
}

TEST_F(DispatchTest, ATipShowsAtMostFiveHundredBytes) {
    Start();
    Deliver(Header(0, 17) + "\xFE" + std::string(600, 't'));
    ASSERT_EQ(dialog->Texts.size(), 1u);
    EXPECT_EQ(dialog->Texts[0], std::string(500, 't'));
    EXPECT_TRUE(Logged("Dialog.Execute(提示,0,3)"));
    Deliver(Header(0, 17) + std::string("\xFEshort\0rest", 11));
    EXPECT_EQ(dialog->Texts.back(), "short");
}

TEST_F(DispatchTest, ASecondInstanceAtTheSameTableIsRefusedAndTheFirstKeepsPlaying) {
    Start();
    CallLog otherLog;
    FakeHall otherHall;
    TCustomPluginShare second;
    AnsweringDialog otherDialog(otherLog);
    second.SetIdentity(hub.Identity());
    second.SetPluginDialog(&otherDialog);
    second.SetInterface(&otherHall);
    TStartInfo start;
    start.TableKey = TableKey;
    start.UserId = Me + 1;
    second.StartPlugin(start);
    EXPECT_TRUE(second.Refused());
    EXPECT_TRUE(second.Stopped());
    EXPECT_NE(std::find(otherLog.begin(), otherLog.end(), "Dialog.Execute(作弊嫌疑,0,10)"),
              otherLog.end());
    EXPECT_EQ(otherHall.Sent(), std::vector<std::string>{PP::UserPacket(11, Me + 1)})
        << "no table state asked for, only the leave notice";

    start.TableKey = TableKey + 1;
    TCustomPluginShare elsewhere;
    elsewhere.SetIdentity(hub.Identity());
    elsewhere.StartPlugin(start);
    EXPECT_FALSE(elsewhere.Refused()) << "another table is fine";

    EXPECT_FALSE(hub.Refused());
    Start();
    EXPECT_FALSE(hub.Refused()) << "its own guard does not refuse a restart";
    Deliver(Header(1, 19) + std::string(9, '\1'));
    EXPECT_FALSE(hub.Stopped());
}
