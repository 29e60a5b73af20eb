#include "net/GameServer.h"
#include "HallClient.h"
#include "net/ServerSettings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

using namespace HallProto;

namespace {

class GameServerTest : public testing::Test {
protected:
    GameServerTest()
        : server(Options()) {
        EXPECT_TRUE(server.Listen(QHostAddress::LocalHost, 0));
    }
    static ServerOptions Options() {
        ServerOptions options;
        options.BotDelayMs = 0;
        options.TickMs = 5;
        return options;
    }

    // Qt SQL and the sockets need the application object before the server exists.
    QCoreApplication &app = TestApp();
    GameServer server;
};

} // namespace

TEST_F(GameServerTest, AHallLogsInSitsDownAndAHandStartsWithBots) {
    HallClient hall(server.Port());
    hall.Send(LoginFrame{"alice", "pw"});
    ASSERT_TRUE(RunUntil([&] { return !hall.Frames.empty(); }));
    const auto result = std::get<LoginResultFrame>(hall.Frames[0]);
    EXPECT_EQ(result.Status, LoginStatus::Accepted);
    hall.Send(TableChoiceFrame{0, 2});
    hall.Send(TablePacketFrame{FrameType::PacketFromModule,
                               ModulePacket(result.UserId, GameTable::SubReady)});
    ASSERT_TRUE(RunUntil([&] { return hall.CountSubKind(GameEngine::SubSnapshot) > 0; }));
    EXPECT_EQ(hall.CountSubKind(GameEngine::SubGameStarted), 1);
    ASSERT_NE(server.Table(0), nullptr);
    EXPECT_EQ(server.Table(0)->SeatOf(result.UserId), 2);
}

TEST_F(GameServerTest, ANewcomerSeesItselfAndThreeRobotsAndTheTableConfiguration) {
    HallClient hall(server.Port());
    hall.Send(LoginFrame{"dora", ""});
    hall.Send(TableChoiceFrame{5, 3});
    ASSERT_TRUE(RunUntil([&] { return hall.Frames.size() >= 3; }));
    const int64_t dora = std::get<LoginResultFrame>(hall.Frames[0]).UserId;
    std::string list, config;
    for (const auto &frame : hall.Frames)
        if (const auto *packet = std::get_if<TablePacketFrame>(&frame)) {
            if (packet->Packet[0] == 9)
                list = packet->Packet;
            else if (packet->Packet.size() > 10 && uint8_t(packet->Packet[10]) == 255)
                config = packet->Packet;
        }
    ASSERT_EQ(list.size(), 5u + 4 * 100);
    int robots = 0, seen = 0;
    for (int i = 0; i < 4; ++i) {
        const std::string record = list.substr(5 + 100 * i, 100);
        int64_t id = 0;
        for (int b = 7; b >= 0; --b)
            id = (id << 8) | uint8_t(record[b]);
        robots += record.substr(8, 5) == "Robot";
        if (id == dora) {
            ++seen;
            EXPECT_EQ(record.substr(8, 4), "dora");
            EXPECT_EQ(record[42], 3) << "its seat";
            EXPECT_EQ(record[43], 1) << "as a player";
        }
    }
    EXPECT_EQ(robots, 3);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(config.size(), 10u + 152 + 4 * 63);
}

TEST_F(GameServerTest, ADroppedPlayerLeavesAnEmptySeatUntilItComesBack) {
    HallClient alice(server.Port());
    alice.Send(LoginFrame{"alice", ""});
    alice.Send(TableChoiceFrame{6, 0});
    int64_t bob = 0;
    {
        HallClient first(server.Port());
        first.Send(LoginFrame{"bob", ""});
        first.Send(TableChoiceFrame{6, 1});
        ASSERT_TRUE(RunUntil([&] { return !first.Frames.empty(); }));
        bob = std::get<LoginResultFrame>(first.Frames[0]).UserId;
        ASSERT_TRUE(RunUntil([&] { return alice.CountKind(10, bob) > 0; }));
    }
    ASSERT_TRUE(RunUntil([&] { return alice.CountKind(12, bob) > 0; }));
    HallClient again(server.Port());
    again.Send(LoginFrame{"bob", ""});
    again.Send(TableChoiceFrame{6, 1});
    EXPECT_TRUE(RunUntil([&] { return alice.CountKind(10, bob) > 1; })) << "back in its seat";
    EXPECT_EQ(server.Table(6)->SeatOf(bob), 1);
}

TEST(GameServerAnnouncements, GoToEveryTableInTurn) {
    TestApp();
    ServerOptions options;
    options.TickMs = 5;
    options.Announcements = {"@$event one", "7@coloured", "plain notice"};
    options.AnnouncementIntervalMs = 0;
    GameServer server(options);
    ASSERT_TRUE(server.Listen(QHostAddress::LocalHost, 0));
    HallClient hall(server.Port());
    hall.Send(LoginFrame{"erin", ""});
    hall.Send(TableChoiceFrame{7, 0});
    ASSERT_TRUE(RunUntil([&] { return hall.CountSubKind(65) >= 2 && hall.CountSubKind(73) >= 1; }));
}

TEST_F(GameServerTest, TheSameNicknameGetsItsUserIdAndSeatBack) {
    int64_t first = 0;
    {
        HallClient hall(server.Port());
        hall.Send(LoginFrame{"bob", ""});
        hall.Send(TableChoiceFrame{1, 0});
        ASSERT_TRUE(RunUntil([&] { return !hall.Frames.empty(); }));
        first = std::get<LoginResultFrame>(hall.Frames[0]).UserId;
        RunUntil([&] { return server.Table(1) != nullptr; });
    }
    HallClient again(server.Port());
    again.Send(LoginFrame{"bob", ""});
    again.Send(TableChoiceFrame{1, 0});
    again.Send(TablePacketFrame{FrameType::PacketFromModule,
                                ModulePacket(first, GameTable::SubTableStateRequest)});
    ASSERT_TRUE(RunUntil([&] { return again.CountSubKind(GameEngine::SubSnapshot) > 0; }));
    EXPECT_EQ(std::get<LoginResultFrame>(again.Frames[0]).UserId, first);
    EXPECT_EQ(server.Table(1)->SeatOf(first), 0);
}

TEST_F(GameServerTest, OversizedFramesAndRequestsBeforeLoginCloseTheConnection) {
    HallClient big(server.Port());
    ASSERT_TRUE(RunUntil([&] { return big.Connected(); }));
    big.SendRaw(QByteArray("\xFF\xFF\xFF\x7F", 4));
    EXPECT_TRUE(RunUntil([&] { return !big.Connected(); }));

    HallClient early(server.Port());
    ASSERT_TRUE(RunUntil([&] { return early.Connected(); }));
    early.Send(TableChoiceFrame{0, 0});
    ASSERT_TRUE(RunUntil([&] { return !early.Frames.empty() && !early.Connected(); }));
    EXPECT_EQ(std::get<ErrorFrame>(early.Frames.back()).Code, ErrorCode::NotLoggedIn);
}

TEST_F(GameServerTest, FinishedHandsAreAddedToTheUsersRecords) {
    ServerOptions options = Options();
    options.Game.PlayTime = 0;
    options.Game.BidTime = 0;
    GameServer quick(options);
    ASSERT_TRUE(quick.Listen(QHostAddress::LocalHost, 0));
    HallClient hall(quick.Port());
    hall.Send(LoginFrame{"carol", ""});
    ASSERT_TRUE(RunUntil([&] { return !hall.Frames.empty(); }));
    const int64_t carol = std::get<LoginResultFrame>(hall.Frames[0]).UserId;
    hall.Send(TableChoiceFrame{3, 1});
    hall.Send(
        TablePacketFrame{FrameType::PacketFromModule, ModulePacket(carol, GameTable::SubReady)});
    ASSERT_TRUE(RunUntil([&] {
        return quick.Table(3) && quick.Table(3)->Game().HandsFinished() == 1 &&
               hall.CountSubKind(GameEngine::SubGameOver) > 0;
    }));
    const auto &result = quick.Table(3)->Game().LastResult()[1];
    ASSERT_EQ(result.UserId, carol);
    const auto record = quick.Users().Find(carol);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Score, result.Value1 * options.Game.ResultScale1);
    EXPECT_EQ(record->Beans, result.Value2 * options.Game.ResultScale2);
    EXPECT_EQ(record->Wins + record->Losses, 1);
}

TEST(ServerSettingsTest, ReadsIdListsOwnersAndAnnouncementsWithCommas) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("server.ini"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Administrators]\nIds=12, 40\nOwners=7\nList147=40\n"
               "[Announcements]\nInterval=5\nText1=@$今晚八点比赛\nText2=7@hello, world\n");
    file.close();
    ServerOptions options;
    ASSERT_TRUE(ServerSettings::Read(path, options));
    EXPECT_EQ(options.AdministratorIds, "12,40,7,");
    EXPECT_EQ(options.OwnerIds, "7,");
    EXPECT_EQ(options.List147, "40,");
    EXPECT_EQ(options.AnnouncementIntervalMs, 5000);
    ASSERT_EQ(options.Announcements.size(), 2u);
    QStringEncoder gbk("GBK");
    EXPECT_EQ(options.Announcements[0],
              QByteArray(gbk.encode(QStringLiteral("@$今晚八点比赛"))).toStdString());
    EXPECT_EQ(options.Announcements[1], "7@hello, world");
    EXPECT_FALSE(ServerSettings::Read(dir.filePath(QStringLiteral("none.ini")), options));
}
