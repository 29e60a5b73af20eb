#include "game/GameTable.h"
#include "game/GameBot.h"

#include <gtest/gtest.h>

using namespace GameRecords;

namespace {

constexpr int64_t Alice = 501;
constexpr int BotDelay = 700;

std::string Packet(int64_t sender, uint8_t sub, const std::string &payload = {}) {
    std::string out(1, '\3');
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<char>(static_cast<uint64_t>(sender) >> (8 * i)));
    out.push_back(static_cast<char>(sub));
    return out + payload;
}

// What the module sends for a record of the bot's choice.
std::string Outbound(const ClientRecord &record) {
    return std::visit(
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
}

class GameTableTest : public testing::Test {
protected:
    GameTableTest()
        : table(GameOptions{}, ChaChaRandom::Key{3}, BotDelay) {
        EXPECT_TRUE(table.Sit(0, Alice));
        EXPECT_TRUE(table.HandlePacket(Alice, Packet(Alice, GameTable::SubReady), now));
    }

    // Alice's module answers for her with the bot's choice; bots wait for their delay.
    void PlayHand() {
        for (int step = 0; step < 5000; ++step) {
            if (table.Game().CurrentPhase() == GameEngine::Phase::HandOver)
                return;
            if (table.Game().CurrentSeat() == 0) {
                const auto record = GameBot::Decide(table.Game(), 0);
                ASSERT_TRUE(record);
                ASSERT_TRUE(table.HandlePacket(
                    Alice, Packet(Alice, GameTable::SubGameRecordIn, Outbound(*record)), now));
            }
            now += 100;
            table.Tick(now);
        }
        FAIL() << "the hand did not end";
    }

    int64_t now = 5000;
    GameTable table;
};

} // namespace

TEST_F(GameTableTest, OneUserAndThreeBotsPlayWholeHands) {
    for (int hand = 0; hand < 3; ++hand) {
        ASSERT_NE(table.Game().CurrentPhase(), GameEngine::Phase::Waiting);
        PlayHand();
        const auto packets = table.TakePackets();
        ASSERT_GE(packets.size(), 2u);
        EXPECT_EQ(packets.back().Packet, Packet(0, GameEngine::SubGameOver));
        EXPECT_EQ(table.Game().LastResult()[0].UserId, Alice);
        ASSERT_TRUE(table.HandlePacket(Alice, Packet(Alice, GameTable::SubReady), now));
    }
    EXPECT_EQ(table.Refusals(), 0);
}

TEST_F(GameTableTest, BotsWaitForTheirThinkingDelay) {
    table.TakePackets();
    if (table.Game().CurrentSeat() == 0) {
        ASSERT_TRUE(table.HandlePacket(
            Alice, Packet(Alice, GameTable::SubGameRecordIn, Outbound(BidRequest{0, NoBid})), now));
    }
    const int botSeat = table.Game().CurrentSeat();
    table.Tick(now);
    table.Tick(now + BotDelay - 1);
    EXPECT_EQ(table.Game().CurrentSeat(), botSeat);
    table.Tick(now + BotDelay);
    EXPECT_TRUE(table.Game().CurrentSeat() != botSeat ||
                table.Game().CurrentPhase() != GameEngine::Phase::Bidding);
}

TEST_F(GameTableTest, ARefusedRecordResyncsOnlyItsSender) {
    table.TakePackets();
    const std::string bid = Outbound(BidRequest{1, 3});
    EXPECT_FALSE(table.HandlePacket(Alice, Packet(Alice, GameTable::SubGameRecordIn, bid), now))
        << "a record for a seat that is not hers";
    EXPECT_FALSE(table.HandlePacket(Alice, Packet(Alice, GameTable::SubGameRecordIn, "\x03"), now))
        << "truncated";
    const auto packets = table.TakePackets();
    ASSERT_EQ(packets.size(), 2u);
    for (const auto &packet : packets) {
        EXPECT_EQ(packet.Target, Alice);
        EXPECT_EQ(packet.Packet.substr(0, 10), Packet(0, GameEngine::SubSnapshot));
    }
    EXPECT_EQ(table.Refusals(), 2);
}

TEST_F(GameTableTest, StateRequestsAndStrangersAreHandledApart) {
    table.TakePackets();
    constexpr int64_t Watcher = 777;
    EXPECT_TRUE(table.HandlePacket(Watcher, Packet(Watcher, GameTable::SubTableStateRequest), now));
    auto packets = table.TakePackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].Target, Watcher);
    EXPECT_FALSE(table.HandlePacket(Watcher, Packet(Watcher, GameTable::SubReady), now));
    EXPECT_FALSE(table.HandlePacket(Watcher, Packet(Watcher, 1, Outbound(PassRequest{0})), now))
        << "a watcher cannot play";
    EXPECT_TRUE(table.HandlePacket(Watcher, Packet(Watcher, 1, Trustee(0, true)), now))
        << "a watcher's trusteeship is its own business";
    EXPECT_EQ(table.TakePackets().size(), 1u) << "a snapshot for the pass, none else";
    EXPECT_EQ(table.Refusals(), 1);
    EXPECT_FALSE(table.HandlePacket(Alice, "\x03\x01", now)) << "short header";
    EXPECT_FALSE(table.Sit(0, Watcher)) << "seat taken";
    EXPECT_FALSE(table.Sit(4, Watcher));
}

TEST_F(GameTableTest, ALeaversSeatIsABotsAndOnlyTheRunningHandIsStillTheLeavers) {
    table.Leave(Alice);
    EXPECT_EQ(table.UserAt(0), 0);
    auto finish = [&] {
        for (int step = 0;
             step < 20000 && table.Game().CurrentPhase() != GameEngine::Phase::HandOver; ++step) {
            now += 1000;
            table.Tick(now);
        }
        ASSERT_EQ(table.Game().CurrentPhase(), GameEngine::Phase::HandOver);
    };
    finish();
    EXPECT_EQ(table.Game().LastResult()[0].UserId, Alice) << "she left a running hand";
    table.SetAutoStart(0, 0);
    now += 1000;
    table.Tick(now);
    ASSERT_NE(table.Game().CurrentPhase(), GameEngine::Phase::HandOver);
    finish();
    EXPECT_EQ(table.Game().LastResult()[0].UserId, 0) << "the next hand was the bot's";
}

TEST(GameTableAutoStart, UnattendedTablesDealTheNextHandAfterThePause) {
    GameOptions options;
    options.PlayTime = 0;
    options.BidTime = 0;
    GameTable table(options, ChaChaRandom::Key{9}, 0);
    table.Tick(0);
    EXPECT_EQ(table.Game().CurrentPhase(), GameEngine::Phase::Waiting) << "off by default";
    table.SetAutoStart(500);
    table.Tick(10);
    EXPECT_EQ(table.Game().CurrentPhase(), GameEngine::Phase::Waiting) << "nobody seated";
    ASSERT_TRUE(table.Sit(2, Alice));
    table.Tick(20);
    table.Tick(519);
    EXPECT_EQ(table.Game().CurrentPhase(), GameEngine::Phase::Waiting);
    table.Tick(520);
    EXPECT_NE(table.Game().CurrentPhase(), GameEngine::Phase::Waiting);
    int64_t now = 520;
    while (table.Game().HandsFinished() == 0 && now < 1'000'000)
        table.Tick(++now);
    ASSERT_EQ(table.Game().HandsFinished(), 1);
    const int64_t over = now;
    while (table.Game().CurrentPhase() == GameEngine::Phase::HandOver && now < over + 10'000)
        table.Tick(++now);
    EXPECT_EQ(now - over, 501) << "the next hand follows after the pause";
}

TEST(GameTableAutoStart, WaitsForTheWholeCompanyAndCountsThePauseFromTheLastToSit) {
    GameTable table(GameOptions{}, ChaChaRandom::Key{9}, 0);
    table.SetAutoStart(500, 2);
    ASSERT_TRUE(table.Sit(0, Alice));
    table.Tick(0);
    table.Tick(1000);
    EXPECT_EQ(table.Game().CurrentPhase(), GameEngine::Phase::Waiting) << "one of two";
    ASSERT_TRUE(table.Sit(3, Alice + 1));
    table.Tick(1100);
    table.Tick(1599);
    EXPECT_EQ(table.Game().CurrentPhase(), GameEngine::Phase::Waiting);
    table.Tick(1600);
    EXPECT_NE(table.Game().CurrentPhase(), GameEngine::Phase::Waiting);
}
