// The game client driven through the hub: whole hands scripted record by record, and the
// protocol's edge cases, checking the state and the packets the client sends.
#include "ClientHubFixture.h"
#include "GameTestSupport.h"
#include "cards/VestranoFunc.h"
#include "controls/TCardGroupGraphic.h"
#include "game/GameRecords.h"

namespace GR = GameRecords;
namespace RC = GameRecordCodec;
namespace VF = VestranoFunc;
using GameTest::ClientHubFixture;
using GameTest::PlayingTable;
using GameTest::SnapshotText;

namespace {

constexpr uint8_t SubGameStart = PluginPackets::Sub::GameStart;
constexpr uint8_t SubGameOver = PluginPackets::Sub::GameOver;

// Own seat 2 of four; seat 1 holds a pair and a single, so that it runs out of cards.
SnapshotText DealSnapshot() {
    SnapshotText t = PlayingTable({"CDE", "cch", "PQRS", "pqrs"}, 3, 3);
    t.Number(1, 1);
    t.Number(2, 1);
    t.Fields[10] = "CDEcchPQRSpqrsAB";
    t.Fields[35] = "AB";
    t.Fields[37] = "D";
    t.Number(8, 0);
    t.Number(53, 15);
    t.Number(54, 10);
    t.Number(72, 1);
    t.Number(73, 100);
    return t;
}

class ClientHub : public ClientHubFixture {
protected:
    std::string Hand(int seat) { return client->HandControl(seat)->Cards(); }
    std::string SortedHand(int seat) { return VF::SortChars(Hand(seat), true); }
    void OwnPlay(const std::string &cards) {
        ASSERT_EQ(client->ApplyPlay(2, cards, cards, false), VF::pcOk);
        client->SendPlay(2, cards, cards);
        Record(GR::Played(2, cards, cards)); // the server's echo
    }
    void OwnPass() {
        ASSERT_TRUE(client->ApplyPass(2));
        client->SendPass(2);
        Record(GR::Passed(2));
    }
};

} // namespace

TEST_F(ClientHub, AWholeHandFromDealToGameOver) {
    Sit(2, true);
    Deliver(SubGameStart);
    EXPECT_FALSE(Table().NoGameYet);
    Record(GR::SeatOrder({0, 1, 2, 3}));
    Snapshot(DealSnapshot().Join());
    EXPECT_EQ(Table().Phase(), TVestranoTable::TPhase::Dealing);
    EXPECT_EQ(SortedHand(2), "PQRS");
    EXPECT_EQ(SortedHand(1), "cch");
    EXPECT_EQ(Table().Deck.Count(), 16u);

    Record(GR::BiddingStart(3));
    EXPECT_EQ(Table().Phase(), TVestranoTable::TPhase::Bidding);
    EXPECT_EQ(Table().ClockNumber, 15);
    EXPECT_TRUE(client->ClockTimer().isActive());
    Record(GR::BidMade(3, 2));
    EXPECT_EQ(Table().CurrentSeat, 2);
    client->SendBid(2, 2);
    Record(GR::BidMade(2, 2));
    EXPECT_EQ(Table().CurrentSeat, 2) << "a bid equal to the highest changes nothing";
    EXPECT_FALSE(Table().HasBid[2]);
    client->SendBid(2, 3);
    Record(GR::BidMade(2, 3));
    EXPECT_EQ(Table().CurrentSeat, 1);
    EXPECT_EQ(Table().Banker, 2);
    Record(GR::BidMade(1, -1));
    EXPECT_EQ(Table().CurrentSeat, 0);
    Record(GR::BidMade(0, -1));
    EXPECT_EQ(Table().CurrentSeat, 3);
    Record(GR::BidMade(3, -1));
    EXPECT_EQ(Table().CurrentSeat, 2) << "all others declined: the bidder keeps the turn";
    EXPECT_EQ(Table().SeatBid, (std::array<int64_t, 4>{-1, -1, 3, -1}));
    EXPECT_EQ(TakeSentRecords(),
              (std::vector<std::string>{RC::EncodeBid(2, 2), RC::EncodeBid(2, 3)}));

    Record(GR::BiddingEnd(2, 3));
    EXPECT_EQ(Table().Phase(), TVestranoTable::TPhase::TakingBottom);
    EXPECT_EQ(Table().ClockNumber, 10);
    Record(GR::BankerHand(2, "PQRSAB"));
    Record(GR::MarkCards(2, "AB"));
    EXPECT_EQ(Table().Phase(), TVestranoTable::TPhase::Playing);
    EXPECT_EQ(SortedHand(2), "ABPQRS");
    EXPECT_EQ(VF::SortChars(client->HandControl(2)->HighlightedCards(), true), "AB");
    EXPECT_EQ(Table().ClockNumber, 20);
    EXPECT_TRUE(client->HandControl(2)->CanSelect());
    EXPECT_FALSE(client->HandControl(1)->CanSelect());

    OwnPlay("P");
    EXPECT_EQ(SortedHand(2), "ABQRS") << "the echo does not play again";
    EXPECT_EQ(Table().CurrentSeat, 3);
    Record(GR::Played(3, "s", "s"));
    Record(GR::Passed(0));
    EXPECT_EQ(Table().CurrentSeat, 1);
    Record(GR::Played(1, "h", "h"));
    EXPECT_EQ(Table().PlayToBeat, "h");
    OwnPass();
    Record(GR::Passed(3));
    Record(GR::Passed(0));
    EXPECT_EQ(Table().CurrentSeat, 1) << "all others passed: seat 1 leads again";
    EXPECT_EQ(Table().LastPlayer, 1);
    for (const auto &play : Table().TrickPlay)
        EXPECT_EQ(play, "");

    Record(GR::Played(1, "cc", "cc"));
    EXPECT_EQ(Hand(1), "") << "seat 1 is out of cards";
    EXPECT_EQ(Table().CurrentSeat, 2);
    OwnPass();
    Record(GR::Passed(3));
    Record(GR::Passed(0));
    EXPECT_EQ(Table().LastPlayer, 2) << "the empty seat hands the lead on";
    EXPECT_EQ(Table().CurrentSeat, 2);
    OwnPlay("A");
    EXPECT_EQ(Table().CurrentSeat, 3);
    EXPECT_EQ(TakeSentRecords(),
              (std::vector<std::string>{RC::EncodePlay(2, "P", "P"), RC::EncodePass(2),
                                        RC::EncodePass(2), RC::EncodePlay(2, "A", "A")}));

    std::array<GR::ResultEntry, 4> result{};
    result[2] = {GameTest::Me, 9, 900};
    Record(GR::HandResult(result));
    EXPECT_TRUE(Table().ResultReady);
    EXPECT_EQ(Table().Result.Entries[2].Value2, 900);
    Deliver(SubGameOver);
    EXPECT_EQ(Table().Phase(), TVestranoTable::TPhase::HandOver);
    EXPECT_FALSE(client->ClockTimer().isActive());
    EXPECT_FALSE(client->HandControl(2)->CanSelect());
    EXPECT_EQ(Resyncs(), 0);
}

TEST_F(ClientHub, AWatcherAppliesThePlaysOfTheWatchedSeat) {
    Sit(2, false);
    Deliver(SubGameStart);
    hub.SetGameRunning(true);
    Snapshot(PlayingTable({"CDE", "cde", "PQRS", "pqr"}, 2, 2).Join());
    Record(GR::Played(2, "P", "P"));
    EXPECT_EQ(VF::SortChars(Hand(2), true), "QRS");
    EXPECT_EQ(Table().CurrentSeat, 3);
    Record(GR::Played(3, "q", "q"));
    Record(GR::Passed(0));
    EXPECT_EQ(Table().CurrentSeat, 1);
    EXPECT_EQ(Resyncs(), 0);
}

TEST_F(ClientHub, ARecordThatCannotBeAppliedAsksForOneResync) {
    Sit(2, true);
    Deliver(SubGameStart);
    Snapshot(PlayingTable({"CDE", "cde", "PQRS", "pqr"}, 0, 0).Join());
    Record(GR::Played(0, "C", "C"));
    EXPECT_EQ(Resyncs(), 0);
    Record(GR::Played(0, "C", "C"));
    EXPECT_EQ(Resyncs(), 1) << "the duplicate fails the turn check";
    EXPECT_EQ(SortedHand(0), "DE");
    EXPECT_EQ(Table().CurrentSeat, 1);
    Record(GR::Passed(3));
    EXPECT_EQ(Resyncs(), 2);
}

TEST_F(ClientHub, MalformedRecordsAreDroppedWhole) {
    Sit(2, true);
    Deliver(SubGameStart);
    Snapshot(PlayingTable({"CDE", "cde", "PQRS", "pqr"}, 0, 0).Join());
    std::string play = GR::Played(0, "C", "C");
    Record(play.substr(0, 57));
    play[1] = 4;
    EXPECT_THROW(Record(play), std::invalid_argument);
    EXPECT_THROW(Record(GR::BidMade(0, int64_t(1) << 33)), std::invalid_argument);
    Record(std::string("\x12\x00", 2));
    EXPECT_EQ(SortedHand(0), "CDE");
    EXPECT_EQ(Table().CurrentSeat, 0);
    EXPECT_EQ(Resyncs(), 0) << "a malformed record is no reason to resync";
}

TEST_F(ClientHub, OutboundPlaysAreCutTo27Cards) {
    Sit(1, true);
    const std::string cards(28, 'C');
    client->SendPlay(1, cards, cards);
    const auto sent = TakeSentRecords();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], RC::EncodePlay(1, cards.substr(0, 27), cards.substr(0, 27)));
    EXPECT_EQ(sent[0][2], 27);
}

TEST_F(ClientHub, TrusteeshipMarkFollowsTheServerAndGameOverSwitchesItOff) {
    Sit(1, true);
    Deliver(SubGameStart);
    Snapshot(PlayingTable({"CDE", "cde", "PQRS", "pqr"}, 0, 0).Join());
    client->SetTrustee(true);
    EXPECT_FALSE(client->TrusteeMarkShown()) << "not before the server confirms";
    Record(GR::Trustee(1, true));
    EXPECT_TRUE(client->TrusteeMarkShown());
    Deliver(SubGameOver);
    EXPECT_FALSE(Table().Trustee);
    EXPECT_FALSE(client->TrusteeMarkShown());
    EXPECT_EQ(TakeSentRecords(),
              (std::vector<std::string>{RC::EncodeTrustee(1, true), RC::EncodeTrustee(1, false)}));
}

TEST_F(ClientHub, SeatNoticesFillTheSeatRecords) {
    Sit(0, true);
    client->OnSeatTaken("ignored", 3, 2, 77);
    EXPECT_EQ(Table().Seats()[2].UserId, 77);
    Snapshot(PlayingTable({"CDE", "cde", "PQRS", "pqr"}, 0, 0).Join());
    Deliver(SubGameStart);
    Snapshot(PlayingTable({"CDE", "cde", "PQRS", "pqr"}, 0, 0).Join());
    client->OnSeatReady(2);
    EXPECT_TRUE(Table().Seats()[2].Ready);
    EXPECT_EQ(Hand(2), "");
    client->OnSeatLeft(2, 77);
    EXPECT_EQ(Table().Seats()[2].UserId, 0);
    EXPECT_FALSE(Table().Seats()[2].Ready);
}

TEST_F(ClientHub, ASnapshotReleasesTheMenuAndTheChat) {
    hub.SetMenuEnabled(false);
    hub.SetChatLocked(true);
    SnapshotText t;
    t.Number(70, 1);
    Snapshot(t.Join());
    EXPECT_TRUE(hub.MenuEnabled());
    EXPECT_FALSE(hub.ChatLocked());
}

TEST_F(ClientHub, ServerTimeoutsOfTheOwnSeatLeadToTrusteeship) {
    Sit(1, true);
    Deliver(SubGameStart);
    Snapshot(PlayingTable({"CDEFG", "cdefg", "PQRS", "pqrs"}, 0, 0).Join());
    const auto runDown = [&] {
        ASSERT_EQ(Table().CurrentSeat, 1);
        while (Table().ClockNumber > 0)
            client->ClockTick();
    };
    Record(GR::Played(0, "C", "C"));
    runDown();
    Record(GR::TimeoutPassed(1));
    Record(GR::Passed(2));
    Record(GR::Passed(3));
    Record(GR::Played(0, "D", "D"));
    runDown();
    Record(GR::TimeoutPlayed(1, "g"));
    EXPECT_FALSE(Table().Trustee) << "two time-outs are not enough";
    Record(GR::Passed(2));
    Record(GR::Passed(3));
    Record(GR::Passed(0));
    runDown();
    Record(GR::TimeoutPlayed(1, "c"));
    EXPECT_TRUE(Table().Trustee);
    EXPECT_EQ(Table().TimeoutLog[1], (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(Table().TimeoutNoticeShown);
    EXPECT_EQ(TakeSentRecords(), std::vector<std::string>{RC::EncodeTrustee(1, true)});
    EXPECT_EQ(Resyncs(), 0);
}
