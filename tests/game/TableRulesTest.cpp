// The turn rules, the clock and trusteeship of the table, without widgets.
#include "FakeTableHost.h"
#include "GameTestSupport.h"
#include "cards/VestranoFunc.h"
#include "common/Gbk.h"
#include "game/TVestranoTable.h"

#include <gtest/gtest.h>

namespace RC = GameRecordCodec;
namespace VF = VestranoFunc;
using GameTest::PlayingTable;
using GameTest::SnapshotText;

namespace {

class TableRules : public testing::Test {
protected:
    void Load(const SnapshotText &text) {
        table.ApplySnapshot(text.Join());
        host.Sounds.clear();
        host.Sent.clear();
    }
    void Record(const std::string &bytes) {
        table.ApplyRecord(std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()));
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i)
            table.ClockTick();
    }
    // The own seat's turn ended with the server's time-out play.
    void OwnTimeout() {
        table.ClockNumber = 0;
        Record(
            RC::Encode(RC::TGameTimeoutPlayRec{host.Seat, table.LiveHand(host.Seat).substr(0, 1)}));
    }

    FakeTableHost host;
    TVestranoTable table{host};
};

} // namespace

TEST_F(TableRules, PlacesFollowTheSeatOrderTheLastMatchWinning) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(table.PlaceOf(i), i) << "identity before any seat order";
        EXPECT_EQ(table.SeatAt(i), i);
    }
    RC::TGameSeatOrderRec order;
    order.Pairs = {{{1, 0}, {1, 2}, {3, 3}, {0, 1}}};
    Record(RC::Encode(order));
    EXPECT_EQ(table.PlaceOf(1), 2) << "record 1 wins over record 0";
    EXPECT_EQ(table.PlaceOf(2), 2) << "no record: the seat itself";
    EXPECT_EQ(table.SeatAt(0), 1);
    EXPECT_EQ(table.SeatAt(1), 0);
    EXPECT_EQ(table.SeatAt(3), 3);
}

TEST_F(TableRules, OwnSeatTwoSeesRightTopLeftAndPassesTurnsBothWays) {
    host.Seat = 2;
    host.Running = true;
    Load(PlayingTable({"CDE", "cde", "PQRS", "pqr"}, 2, 2));
    EXPECT_EQ(table.RelativePosition(2), 0);
    EXPECT_EQ(table.RelativePosition(3), 1) << "right";
    EXPECT_EQ(table.RelativePosition(0), 2) << "top";
    EXPECT_EQ(table.RelativePosition(1), 3) << "left";
    EXPECT_EQ(table.ApplyPlay(2, "P", "P", false), VF::pcOk);
    EXPECT_EQ(table.CurrentSeat, 3) << "play moves to the right";

    Load(GameTest::BiddingTable(2));
    table.ApplyBid(2, 1);
    EXPECT_EQ(table.CurrentSeat, 1) << "bidding moves to the left";
}

TEST_F(TableRules, BiddingFollowsTheDeclinesAndTheHighestBid) {
    host.Running = true;
    Load(GameTest::BiddingTable(3));
    table.ApplyBid(3, 6);
    EXPECT_EQ(table.CurrentSeat, 3) << "a bid of 6 keeps the turn";
    EXPECT_EQ(table.Banker, 3);
    EXPECT_EQ(table.HighestBid, 6);

    Load(GameTest::BiddingTable(0));
    table.ApplyBid(0, -1);
    EXPECT_EQ(table.CurrentSeat, 3);
    table.ApplyBid(1, 2);
    EXPECT_EQ(table.SeatBid[1], 0) << "out of turn: ignored";
    table.ApplyBid(3, 2);
    EXPECT_EQ(table.CurrentSeat, 2);
    table.ApplyBid(2, 2);
    EXPECT_EQ(table.CurrentSeat, 2) << "a bid equal to the highest is ignored";
    EXPECT_FALSE(table.HasBid[2]);
    table.ApplyBid(2, -1);
    EXPECT_EQ(table.SeatBid[2], -1) << "a decline is always taken";
    EXPECT_EQ(table.CurrentSeat, 1);
    table.ApplyBid(1, -1);
    EXPECT_EQ(table.CurrentSeat, 3) << "the last bidder is left";

    // Seats 0 and 1 declined; seat 2 bids: seat 3 bids next unless it declined too.
    Load(GameTest::BiddingTable(2));
    table.SeatBid = {-1, -1, 0, 0};
    table.ApplyBid(2, 3);
    EXPECT_EQ(table.CurrentSeat, 3);
    table.SeatBid = {-1, -1, 0, -1};
    table.CurrentSeat = 2;
    table.HighestBid = 0;
    table.ApplyBid(2, 3);
    EXPECT_EQ(table.CurrentSeat, 2);
}

TEST_F(TableRules, AllOthersPassingEndsTheTrickAndTheLeaderLeadsFreely) {
    host.Running = true;
    Load(PlayingTable({"CDEF", "cde", "PQR", "pqr"}, 0, 0));
    ASSERT_EQ(table.ApplyPlay(0, "F", "F", false), VF::pcOk);
    EXPECT_EQ(table.PlayToBeat, "F");
    EXPECT_EQ(host.Sounds, std::vector<std::string>{"Put.wav"});
    EXPECT_TRUE(table.ApplyPass(1));
    EXPECT_EQ(table.TrickPlay[1], "?");
    EXPECT_TRUE(table.ApplyPass(2));
    EXPECT_TRUE(table.ApplyPass(3));
    EXPECT_EQ(table.CurrentSeat, 0);
    EXPECT_EQ(table.TrickEndPasses, (std::array<bool, 4>{false, true, true, true}));
    for (const auto &play : table.TrickPlay)
        EXPECT_EQ(play, "");
    EXPECT_FALSE(table.ApplyPass(0)) << "the leader cannot pass";
    EXPECT_EQ(table.ApplyPlay(0, "C", "C", false), VF::pcOk) << "a lower card leads freely";
}

TEST_F(TableRules, ASeatOutOfCardsHandsTheLeadOn) {
    host.Running = true;
    Load(PlayingTable({"CDEF", "h", "PQR", "pqr"}, 1, 0, "E"));
    ASSERT_EQ(table.ApplyPlay(1, "h", "h", false), VF::pcOk);
    EXPECT_TRUE(table.LiveHand(1).empty());
    EXPECT_TRUE(table.ApplyPass(2));
    EXPECT_TRUE(table.ApplyPass(3));
    EXPECT_TRUE(table.ApplyPass(0));
    EXPECT_EQ(table.LastPlayer, 2) << "the lead passes on from the empty seat";
    EXPECT_EQ(table.CurrentSeat, 2);
    EXPECT_EQ(table.ApplyPlay(2, "P", "P", false), VF::pcOk) << "seat 2 leads freely";
    EXPECT_EQ(table.CurrentSeat, 3) << "seat 1 has no cards and is skipped later";
}

TEST_F(TableRules, PlaysAndPassesOutOfTurnChangeNothing) {
    host.Running = true;
    Load(PlayingTable({"CDEF", "cde", "PQR", "pqr"}, 0, 0));
    EXPECT_EQ(table.ApplyPlay(1, "c", "c", false), VF::pcNotYourTurn);
    EXPECT_FALSE(table.ApplyPass(1));
    EXPECT_EQ(table.LiveHand(1), "cde");
    EXPECT_NE(table.ApplyPlay(0, "X", "X", false), VF::pcOk) << "not in the own hand";
    EXPECT_EQ(table.LiveHand(0), "CDEF");
    table.LastPlayer = 3;
    table.PlayToBeat = "E";
    EXPECT_EQ(table.ApplyPlay(0, "C", "C", false), VF::pcTooSmall) << "the own play is judged";
    EXPECT_TRUE(host.Sounds.empty());
    EXPECT_EQ(table.CurrentSeat, 0);
}

TEST_F(TableRules, BombsExplode) {
    host.Running = true;
    Load(PlayingTable({"CcPpD", "cde", "PQR", "pqr"}, 0, 0));
    ASSERT_EQ(table.ApplyPlay(0, "CcPp", "CcPp", false), VF::pcOk);
    EXPECT_EQ(host.Sounds, std::vector<std::string>{"Explode.wav"});
}

TEST_F(TableRules, TrickDisplaysHideThePassMarkAndTheOwnTurn) {
    host.Running = true;
    Load(PlayingTable({"CDEF", "cde", "PQRX", "pqrz"}, 0, 0));
    ASSERT_EQ(table.ApplyPlay(0, "F", "F", false), VF::pcOk);
    ASSERT_TRUE(table.ApplyPass(1));
    EXPECT_EQ(table.TrickCardsOf(0).Cards, "F");
    EXPECT_EQ(table.TrickCardsOf(1).Cards, "") << "a pass shows no cards";
    ASSERT_EQ(table.ApplyPlay(2, "X", "X", false), VF::pcOk);
    ASSERT_EQ(table.ApplyPlay(3, "z", "z", false), VF::pcOk);
    EXPECT_EQ(table.CurrentSeat, 0);
    EXPECT_EQ(table.PrevPlay[0], "F") << "the turn keeps the seat's last play";
    table.SetShowPrevious(true);
    EXPECT_EQ(table.TrickCardsOf(0).Cards, "F");
    table.SetShowPrevious(false);
    EXPECT_EQ(table.TrickCardsOf(0).Cards, "");
}

TEST_F(TableRules, TrusteeshipLeadsTheWeakestCardThreeSecondsIn) {
    host.Running = true;
    Load(PlayingTable({"ACDE", "cde", "PQR", "pqr"}, 0, 0));
    table.Trustee = true;
    ASSERT_EQ(table.ClockNumber, 20);
    Ticks(2);
    EXPECT_TRUE(host.Sent.empty()) << "nothing at 19 and 18";
    Ticks(1);
    ASSERT_EQ(host.Sent, std::vector<std::string>{RC::EncodePlay(0, "C", "C")}) << "at 17";
    EXPECT_EQ(table.LiveHand(0), "ADE");
    EXPECT_EQ(table.CurrentSeat, 1);
}

TEST_F(TableRules, TrusteeshipPassesRatherThanBeat) {
    host.Running = true;
    Load(PlayingTable({"ACDE", "cde", "PQR", "pqr"}, 0, 3, "D"));
    table.Trustee = true;
    Ticks(3);
    EXPECT_EQ(host.Sent, std::vector<std::string>{RC::EncodePass(0)});
    EXPECT_EQ(table.LiveHand(0), "ACDE");
    EXPECT_EQ(table.CurrentSeat, 1);
}

TEST_F(TableRules, ThreeTimeoutsInARowSwitchTrusteeshipOnWithOneNotice) {
    host.Running = true;
    Load(PlayingTable({"CDEFGH", "cde", "PQR", "pqr"}, 0, 0));
    for (int turn = 0; turn < 4; ++turn) {
        table.CurrentSeat = table.LastPlayer = 0;
        OwnTimeout();
        EXPECT_EQ(table.Trustee, turn >= 2) << "turn " << turn;
    }
    EXPECT_EQ(host.Notices, std::vector<std::string>{"您已连续三次出牌超时,系统置为托管状态!"_gbk});
    EXPECT_EQ(host.Sent, std::vector<std::string>{RC::EncodeTrustee(0, true)});
}

TEST_F(TableRules, ATurnInTimeBreaksTheRun) {
    host.Running = true;
    Load(PlayingTable({"CDEFGH", "cde", "PQR", "pqr"}, 0, 0));
    OwnTimeout();
    table.CurrentSeat = table.LastPlayer = 0;
    OwnTimeout();
    table.CurrentSeat = table.LastPlayer = 0;
    table.ClockNumber = 4;
    ASSERT_EQ(table.ApplyPlay(0, "E", "E", false), VF::pcOk);
    table.CurrentSeat = table.LastPlayer = 0;
    OwnTimeout();
    EXPECT_FALSE(table.Trustee);
    EXPECT_EQ(table.TimeoutLog[0], (std::vector<bool>{true, true, false, true}));
}

TEST_F(TableRules, TheWarningSoundsOnlyInPlayAndTheClockRunsBelowZero) {
    host.Running = true;
    Load(GameTest::BiddingTable(0));
    table.ClockNumber = 6;
    Ticks(1);
    EXPECT_TRUE(host.Sounds.empty()) << "no warning in the bidding";
    Load(PlayingTable({"CDE", "cde", "PQR", "pqr"}, 0, 0));
    table.ClockNumber = 6;
    Ticks(1);
    EXPECT_EQ(host.Sounds, std::vector<std::string>{"clock.wav"});
    Ticks(6);
    EXPECT_EQ(table.ClockNumber, -1);
    EXPECT_EQ(host.Sounds.size(), 1u);
    table.CurrentSeat = 1;
    table.ClockNumber = 6;
    Ticks(1);
    EXPECT_EQ(host.Sounds.size(), 1u) << "another seat's turn: no warning";
}

TEST_F(TableRules, TheWindowFlashesOnTheOwnTurnWithoutFocus) {
    host.Running = true;
    Load(PlayingTable({"CDE", "cde", "PQR", "pqr"}, 0, 0));
    Ticks(1);
    EXPECT_TRUE(host.Flashes.empty());
    host.Focus = false;
    Ticks(1);
    EXPECT_EQ(host.Flashes.size(), 1u);
    host.Player = false;
    Ticks(1);
    EXPECT_EQ(host.Flashes.size(), 1u) << "a watcher is not called";
    EXPECT_EQ(table.TickCount, 3);
}

TEST_F(TableRules, TrusteeshipBetweenHandsDeclaresReadyAndGameOverSwitchesItOff) {
    table.SetTrustee(true);
    EXPECT_EQ(host.ReadySent, 1);
    EXPECT_EQ(host.Sent, std::vector<std::string>{RC::EncodeTrustee(0, true)});
    host.Running = true;
    table.GameOver();
    EXPECT_FALSE(table.Trustee);
    EXPECT_EQ(host.Sent.back(), RC::EncodeTrustee(0, false));
    EXPECT_TRUE(table.HandOver);
    EXPECT_EQ(table.TurnCount[0], 0);
    table.GameOver();
    EXPECT_EQ(host.Sent.size(), 2u) << "an unchanged value is not sent again";
}

TEST_F(TableRules, AFirstSnapshotWithoutAGameEmptiesTheCards) {
    SnapshotText t = PlayingTable({"CDE", "cde", "PQR", "pqr"}, 0, 0, "C");
    t.Number(0, 0);
    t.Fields[10] = "ABC";
    table.ApplySnapshot(t.Join());
    EXPECT_TRUE(table.LiveHand(0).empty());
    EXPECT_TRUE(table.PlayToBeat.empty());
    EXPECT_EQ(table.Deck.Count(), 0u);
    table.GameStart();
    EXPECT_FALSE(table.NoGameYet);
    table.ApplySnapshot(t.Join());
    EXPECT_EQ(table.LiveHand(0), "CDE") << "after a game the hands are shown";
    EXPECT_EQ(table.Deck.Count(), 3u);
}

TEST_F(TableRules, ASnapshotNamingABadSeatChangesNothing) {
    host.Running = true;
    Load(PlayingTable({"CDE", "cde", "PQR", "pqr"}, 0, 0));
    SnapshotText t = PlayingTable({"C", "c", "P", "p"}, 1, 1);
    t.Number(44, 7);
    EXPECT_THROW(table.ApplySnapshot(t.Join()), std::invalid_argument);
    EXPECT_EQ(table.LiveHand(0), "CDE");
    EXPECT_EQ(table.CurrentSeat, 0);
}

TEST_F(TableRules, SnapshotMarksReleaseAndClock) {
    SnapshotText t = PlayingTable({"CDE", "cde", "PQR", "pqr"}, 0, 0);
    t.Number(60, 1);
    t.Fields[32] = "c";
    t.Number(70, 1);
    t.Number(51, 4);
    table.ApplySnapshot(t.Join());
    EXPECT_EQ(host.Releases, 1);
    EXPECT_EQ(host.Marked[1], "1:c");
    EXPECT_EQ(table.ClockNumber, 15) << "PlayTime - (Elapsed + 1)";
    t.Number(70, 2);
    table.ApplySnapshot(t.Join());
    EXPECT_EQ(host.Releases, 1);
}
