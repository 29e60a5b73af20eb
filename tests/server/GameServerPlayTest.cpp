// The server with hall connections over loopback: refused records, dropped and returning
// players, escapes, kicks, round trips, restarts and the counters for the operator.

#include "HallClient.h"
#include "cards/VestranoFunc.h"
#include "game/GameBot.h"
#include "net/GameServer.h"
#include "platform/ByteReader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <algorithm>

using namespace HallProto;
using namespace GameRecords;
namespace VF = VestranoFunc;

namespace {

constexpr uint8_t KindUserLeft = 12;
constexpr uint8_t KindNetDelay = 30;
constexpr uint8_t KindSettlement = 16;

// What a module sends for a record.
std::string RecordPacket(int64_t user, const ClientRecord &record) {
    const std::string body = std::visit(
        [](const auto &r) -> std::string {
            using T = std::decay_t<decltype(r)>;
            if constexpr (std::is_same_v<T, PlayRequest>) {
                std::string out = Played(r.Seat, r.Cards, r.Faces);
                out[0] = gmPlay;
                return out;
            } else if constexpr (std::is_same_v<T, PassRequest>) {
                return {char(gmPass), char(r.Seat)};
            } else if constexpr (std::is_same_v<T, BidRequest>) {
                std::string out = BidMade(r.Seat, r.Points);
                out[0] = gmBid;
                return out;
            } else {
                return Trustee(r.Seat, r.On);
            }
        },
        record);
    return ModulePacket(user, GameTable::SubGameRecordIn, body);
}

std::string Single(char card) {
    return std::string(1, card);
}

int CountKind(const HallClient &hall, uint8_t kind) {
    const auto packets = hall.Packets();
    return static_cast<int>(std::count_if(packets.begin(), packets.end(), [&](const auto &p) {
        return !p.empty() && uint8_t(p[0]) == kind;
    }));
}

// A card the hand does not hold.
char Missing(const std::string &hand) {
    for (char card : VF::CardChars)
        if (hand.find(card) == std::string::npos)
            return card;
    return 0;
}

class GameServerPlayTest : public testing::Test {
protected:
    static ServerOptions Options() {
        ServerOptions options;
        options.BotDelayMs = 0;
        options.TickMs = 5;
        return options;
    }
    void Start(const ServerOptions &options) {
        server = std::make_unique<GameServer>(options);
        ASSERT_TRUE(server->Listen(QHostAddress::LocalHost, 0));
    }
    // Logs in and sits down (or watches with WatcherSeat), then asks for the table state as
    // a module does.
    std::unique_ptr<HallClient> Join(const std::string &name, int table, uint8_t seat,
                                     int64_t *id) {
        auto hall = std::make_unique<HallClient>(server->Port());
        *id = hall->Login(name);
        EXPECT_NE(*id, 0);
        hall->Send(TableChoiceFrame{static_cast<uint16_t>(table), seat});
        hall->SendModule(ModulePacket(*id, GameTable::SubTableStateRequest));
        EXPECT_TRUE(RunUntil([&] { return hall->CountSubKind(GameEngine::SubSnapshot) > 0; }));
        return hall;
    }
    const GameEngine &Game(int table) const { return server->Table(table)->Game(); }
    bool Playing(int table) const {
        return server->Table(table) && Game(table).CurrentPhase() == GameEngine::Phase::Playing;
    }

    QCoreApplication &app = TestApp();
    QTemporaryDir dir;
    std::unique_ptr<GameServer> server;
};

} // namespace

TEST_F(GameServerPlayTest, IllegalRecordsAreRefusedAndResyncOnlyTheirSender) {
    ServerOptions options = Options();
    options.Game.BidTime = 0;
    options.Game.PlayTime = 600;
    options.StatsPath = dir.filePath(QStringLiteral("stats.json"));
    Start(options);
    int64_t ann = 0, bob = 0;
    auto annHall = Join("ann", 0, 0, &ann);
    auto bobHall = Join("bob", 0, 1, &bob);
    annHall->SendModule(ModulePacket(ann, GameTable::SubReady));
    bobHall->SendModule(ModulePacket(bob, GameTable::SubReady));
    // The bots play their turns at once; the clock declines for the two players.
    ASSERT_TRUE(RunUntil([&] { return Playing(0) && Game(0).CurrentSeat() < 2; }));
    const int turn = Game(0).CurrentSeat();
    const int other = 1 - turn;
    // The clients are behind the table: wait until they have seen play begin.
    const auto banker = static_cast<uint8_t>(Game(0).Banker());
    ASSERT_TRUE(RunUntil([&] {
        return annHall->CountRecord(gmBankerHand, banker) == 1 &&
               bobHall->CountRecord(gmBankerHand, banker) == 1;
    }));
    HallClient &onTurn = turn == 0 ? *annHall : *bobHall;
    HallClient &offTurn = turn == 0 ? *bobHall : *annHall;
    const int64_t onTurnId = turn == 0 ? ann : bob;
    const int64_t offTurnId = turn == 0 ? bob : ann;
    const std::string hand = Game(0).Hand(turn);
    const auto seat = static_cast<uint8_t>(turn);
    const int onTurnSnapshots = onTurn.CountSubKind(GameEngine::SubSnapshot);
    const int offTurnSnapshots = offTurn.CountSubKind(GameEngine::SubSnapshot);

    const std::string missing = Single(Missing(hand));
    onTurn.SendModule(RecordPacket(onTurnId, PlayRequest{seat, missing, missing}));
    const std::string own = Single(VF::AutoLeadCard(hand)[0]);
    const std::string otherFace = Single(own == "A" ? 'B' : 'A');
    onTurn.SendModule(RecordPacket(onTurnId, PlayRequest{seat, own, otherFace}));
    const auto otherSeat = static_cast<uint8_t>(other);
    const std::string otherCard = Single(Game(0).Hand(other)[0]);
    offTurn.SendModule(RecordPacket(offTurnId, PlayRequest{otherSeat, otherCard, otherCard}));
    offTurn.SendModule(RecordPacket(offTurnId, PlayRequest{seat, own, own}));
    ASSERT_TRUE(RunUntil([&] {
        return onTurn.CountSubKind(GameEngine::SubSnapshot) == onTurnSnapshots + 2 &&
               offTurn.CountSubKind(GameEngine::SubSnapshot) == offTurnSnapshots + 2;
    }));
    EXPECT_EQ(Game(0).Hand(turn), hand) << "nothing was played";
    EXPECT_EQ(Game(0).CurrentSeat(), turn);

    onTurn.SendModule(RecordPacket(onTurnId, *GameBot::Decide(Game(0), turn)));
    ASSERT_TRUE(RunUntil([&] {
        return offTurn.CountRecord(gmPlayed, seat) + offTurn.CountRecord(gmPassed, seat) == 1;
    })) << "a legal record is taken";
    EXPECT_EQ(onTurn.CountSubKind(GameEngine::SubSnapshot), onTurnSnapshots + 2);
    EXPECT_EQ(offTurn.CountSubKind(GameEngine::SubSnapshot), offTurnSnapshots + 2);

    RunUntil([&] { return QFile::exists(options.StatsPath); });
    ASSERT_TRUE(RunUntil([&] {
        QFile file(options.StatsPath);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        int refusals = 0, plays = 0;
        for (const auto &user :
             QJsonDocument::fromJson(file.readAll())[QStringLiteral("users")].toArray()) {
            refusals += user[QStringLiteral("refusals")].toInt();
            plays += user[QStringLiteral("plays")].toInt();
        }
        return refusals == 4 && plays == 1;
    }));
    QFile file(options.StatsPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    for (const auto &user :
         QJsonDocument::fromJson(file.readAll())[QStringLiteral("users")].toArray()) {
        EXPECT_EQ(user[QStringLiteral("refusals")].toInt(), 2);
        EXPECT_EQ(user[QStringLiteral("stateRequests")].toInt(), 1);
        const bool onTurnUser = user[QStringLiteral("id")].toInteger() == onTurnId;
        EXPECT_EQ(user[QStringLiteral("plays")].toInt(), onTurnUser ? 1 : 0)
            << "the one legal play or pass";
    }
}

TEST_F(GameServerPlayTest, ADroppedPlayerIsPlayedForByTheClockAndReturnsToTheSameHand) {
    ServerOptions options = Options();
    options.Game.BidTime = 0;
    options.Game.PlayTime = 1;
    Start(options);
    int64_t ann = 0, watcher = 0;
    auto annHall = Join("ann", 2, 0, &ann);
    auto watching = Join("wes", 2, WatcherSeat, &watcher);
    annHall->SendModule(ModulePacket(ann, GameTable::SubReady));
    ASSERT_TRUE(RunUntil([&] { return Playing(2); }));
    annHall->Close();
    annHall.reset();
    ASSERT_TRUE(RunUntil([&] { return watching->CountKind(KindUserLeft, ann) == 1; }));
    ASSERT_TRUE(RunUntil([&] {
        return watching->CountRecord(gmTimeoutPlayed, 0) +
                   watching->CountRecord(gmTimeoutPassed, 0) >
               0;
    })) << "the clock plays for the dropped seat";
    ASSERT_TRUE(Playing(2));
    EXPECT_EQ(server->Table(2)->SeatOf(ann), 0) << "the seat is kept through the hand";
    EXPECT_EQ(server->Users().Find(ann)->Escapes, 1);

    int64_t back = 0;
    annHall = Join("ann", 2, 3, &back);
    EXPECT_EQ(back, ann);
    EXPECT_EQ(server->Table(2)->SeatOf(ann), 0) << "back to its own seat, whatever it asked";
    EXPECT_EQ(Game(2).HandsFinished(), 0) << "the same hand";
    EXPECT_EQ(CountKind(*annHall, 9), 1) << "the user list";
    // Back at the table, the player plays its own turns to the end of the hand.
    std::string answered;
    ASSERT_TRUE(RunUntil([&] {
        const GameEngine &game = Game(2);
        const std::string turn =
            game.Hand(0) + '/' + game.PlayToBeat() + '/' + std::to_string(game.LastPlayer());
        if (game.CurrentPhase() == GameEngine::Phase::Playing && game.CurrentSeat() == 0 &&
            turn != answered) {
            annHall->SendModule(RecordPacket(ann, *GameBot::Decide(game, 0)));
            answered = turn;
        }
        return game.HandsFinished() == 1;
    }));
    EXPECT_EQ(Game(2).LastResult()[0].UserId, ann);
}

TEST_F(GameServerPlayTest, ASeatLeftBetweenHandsGoesToARobot) {
    Start(Options());
    int64_t ann = 0, cy = 0;
    auto annHall = Join("ann", 3, 1, &ann);
    auto cyHall = Join("cy", 3, 2, &cy);
    annHall->Close();
    ASSERT_TRUE(RunUntil([&] { return server->Table(3)->UserAt(1) == 0; }));
    ASSERT_TRUE(RunUntil([&] { return server->Room(3)->Find(GameServer::BotId(3, 1)); }));
    // With the dropped player gone, the last one's ready starts the hand.
    cyHall->SendModule(ModulePacket(cy, GameTable::SubReady));
    EXPECT_TRUE(RunUntil([&] { return Game(3).CurrentPhase() != GameEngine::Phase::Waiting; }));
}

TEST_F(GameServerPlayTest, LeavingARunningHandCountsAnEscapeAndARobotPlaysOn) {
    ServerOptions options = Options();
    options.Game.BidTime = 0;
    options.Game.PlayTime = 600;
    Start(options);
    int64_t ann = 0, watcher = 0;
    auto annHall = Join("ann", 4, 2, &ann);
    auto watching = Join("wes", 4, WatcherSeat, &watcher);
    annHall->SendModule(ModulePacket(ann, GameTable::SubReady));
    ASSERT_TRUE(RunUntil([&] { return Playing(4); }));
    annHall->SendModule(std::string("\x0B", 1) + ModulePacket(ann, 0).substr(1, 8));
    ASSERT_TRUE(RunUntil([&] { return server->Table(4)->UserAt(2) == 0; }));
    EXPECT_EQ(server->Users().Find(ann)->Escapes, 1);
    EXPECT_TRUE(RunUntil([&] { return Game(4).HandsFinished() == 1; })) << "no clock needed";
    const auto &result = Game(4).LastResult();
    EXPECT_EQ(result[2].UserId, ann) << "the hand she left is still hers";
    for (int seat : {0, 1, 3})
        EXPECT_EQ(result[static_cast<size_t>(seat)].UserId, GameServer::BotId(4, seat))
            << "a robot's row carries the robot, so the board names it";

    // The settlement gives her new totals although she is no longer at the table.
    ASSERT_TRUE(RunUntil([&] { return CountKind(*watching, KindSettlement) == 1; }));
    const auto stored = server->Users().Find(ann);
    bool found = false;
    for (const auto &packet : watching->Packets()) {
        if (packet.empty() || uint8_t(packet[0]) != KindSettlement)
            continue;
        Platform::ByteReader in(
            std::span(reinterpret_cast<const uint8_t *>(packet.data()), packet.size()));
        in.ReadU8();
        in.ReadU8();
        const uint32_t count = in.ReadU32LE().value_or(0);
        for (uint32_t i = 0; i < count; ++i) {
            const auto id = in.ReadI64LE(), scoreChange = in.ReadI64LE(),
                       newScore = in.ReadI64LE(), beanChange = in.ReadI64LE(),
                       newBeans = in.ReadI64LE();
            ASSERT_TRUE(newBeans);
            if (*id != ann)
                continue;
            found = true;
            EXPECT_EQ(*scoreChange, stored->Score);
            EXPECT_EQ(*newScore, stored->Score);
            EXPECT_EQ(*beanChange, stored->Beans);
            EXPECT_EQ(*newBeans, stored->Beans);
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(GameServerPlayTest, AKickedUserLeavesTheTableAndCannotComeBackForAWhile) {
    ServerOptions options = Options();
    options.AdministratorIds = "1,";
    Start(options);
    int64_t admin = 0, bob = 0;
    auto adminHall = Join("ada", 5, 0, &admin);
    ASSERT_EQ(admin, 1);
    auto bobHall = Join("bob", 5, 1, &bob);
    std::string kick(1, 18);
    kick += '\0';
    for (int i = 0; i < 8; ++i)
        kick.push_back(static_cast<char>(static_cast<uint64_t>(bob) >> (8 * i)));
    kick += std::string("\4\0\0\0rude", 8);
    adminHall->SendModule(kick);
    ASSERT_TRUE(RunUntil([&] { return bobHall->CountKind(KindUserLeft, bob) == 1; }));
    EXPECT_EQ(server->Table(5)->UserAt(1), 0) << "a robot has the seat";
    EXPECT_EQ(CountKind(*bobHall, 19), 1) << "the kick was announced";
    const size_t before = bobHall->Frames.size();
    bobHall->Send(TableChoiceFrame{5, 1});
    ASSERT_TRUE(RunUntil([&] { return bobHall->Frames.size() > before; }));
    const auto *error = std::get_if<ErrorFrame>(&bobHall->Frames.back());
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->Code, ErrorCode::Banned);
}

TEST_F(GameServerPlayTest, RoundTripsAreMeasuredAndShownToTheTable) {
    ServerOptions options = Options();
    options.DelayProbeMs = 50;
    Start(options);
    int64_t ann = 0, bob = 0;
    auto annHall = Join("ann", 6, 0, &ann);
    auto bobHall = Join("bob", 6, 1, &bob);
    annHall->AnswerChallenges(true);
    EXPECT_TRUE(RunUntil([&] { return bobHall->CountKind(KindNetDelay, ann) >= 2; }));
    EXPECT_EQ(bobHall->CountKind(KindNetDelay, bob), 0) << "bob never answers";
    EXPECT_GE(server->Room(6)->Find(ann)->Delay, 0);
}

TEST_F(GameServerPlayTest, LoggingInAgainReplacesTheOlderConnection) {
    Start(Options());
    int64_t first = 0;
    auto old = Join("ann", 7, 0, &first);
    int64_t second = 0;
    auto again = Join("ann", 7, 2, &second);
    EXPECT_EQ(second, first);
    EXPECT_TRUE(RunUntil([&] { return !old->Connected(); }));
    EXPECT_EQ(server->Table(7)->SeatOf(first), 0);
    EXPECT_EQ(server->Room(7)->Find(first)->Seat, 0);
}

TEST_F(GameServerPlayTest, RecordsSurviveARestartOfTheServerBetweenHands) {
    ServerOptions options = Options();
    options.Game.BidTime = 0;
    options.Game.PlayTime = 0;
    options.DatabasePath = dir.filePath(QStringLiteral("users.sqlite"));
    Start(options);
    int64_t ann = 0;
    {
        auto annHall = Join("ann", 1, 0, &ann);
        annHall->SendModule(ModulePacket(ann, GameTable::SubReady));
        ASSERT_TRUE(RunUntil([&] { return Game(1).HandsFinished() == 1; }));
    }
    const auto before = server->Users().Find(ann);
    ASSERT_TRUE(before);
    EXPECT_EQ(before->Wins + before->Losses + before->Draws, 1);
    server.reset();
    Start(options);
    int64_t again = 0;
    auto annHall = Join("ann", 1, 0, &again);
    EXPECT_EQ(again, ann);
    const auto after = server->Users().Find(ann);
    ASSERT_TRUE(after);
    EXPECT_EQ(after->Score, before->Score);
    EXPECT_EQ(after->Beans, before->Beans);
    EXPECT_EQ(after->Wins, before->Wins);
    EXPECT_EQ(after->Losses, before->Losses);
    EXPECT_EQ(server->Room(1)->Find(ann)->Score, before->Score) << "and the table is told";
}

TEST_F(GameServerPlayTest, AWatcherKeepsWatchingWhenItsModuleAsksForASeat) {
    Start(Options());
    int64_t wes = 0;
    auto watching = Join("wes", 8, WatcherSeat, &wes);
    watching->SendModule(std::string("\x0D\x00\x01", 3));
    int64_t ann = 0;
    auto annHall = Join("ann", 8, 0, &ann);
    EXPECT_EQ(server->Table(8)->SeatOf(ann), 0) << "the seat was still free for a player";
    EXPECT_EQ(server->Table(8)->SeatOf(wes), -1);
    EXPECT_FALSE(server->Room(8)->Find(wes)->Player);
}
