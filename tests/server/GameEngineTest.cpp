#include "game/GameEngine.h"
#include "cards/VestranoFunc.h"
#include "game/GameBot.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace VF = VestranoFunc;
using namespace GameRecords;

namespace {

constexpr ChaChaRandom::Key TestKey = {1, 2, 3, 4, 5, 6, 7, 8};

std::vector<std::string> Fields(const std::string &snapshot) {
    std::vector<std::string> fields(1);
    for (char c : snapshot) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

std::vector<std::string> RecordsOf(const std::vector<GameOutput> &output) {
    std::vector<std::string> records;
    for (const auto &packet : output)
        if (packet.SubKind == GameEngine::SubGameRecord)
            records.push_back(packet.Payload);
    return records;
}

class GameEngineTest : public testing::Test {
protected:
    GameEngineTest()
        : game(GameOptions{}, TestKey) {
        for (int seat = 0; seat < GameEngine::SeatCount; ++seat)
            game.SetSeatUser(seat, 100 + seat);
        game.StartHand(now);
        game.TakeOutput();
    }

    // Bids until the banker is known: the first seat to speak bids 6.
    void BidSix() {
        ASSERT_TRUE(game.Receive(game.CurrentSeat(), BidRequest{Seat(), 6}, now));
        ASSERT_EQ(game.CurrentPhase(), GameEngine::Phase::Playing);
    }
    uint8_t Seat() const { return static_cast<uint8_t>(game.CurrentSeat()); }
    // Lets bots play until the hand is over; returns the number of records seen.
    void PlayOut() {
        for (int step = 0; step < 1000 && game.CurrentPhase() != GameEngine::Phase::HandOver;
             ++step) {
            const auto record = GameBot::Decide(game, game.CurrentSeat());
            ASSERT_TRUE(record);
            ASSERT_TRUE(game.Receive(game.CurrentSeat(), *record, now)) << step;
        }
        ASSERT_EQ(game.CurrentPhase(), GameEngine::Phase::HandOver);
    }

    int64_t now = 1'000'000;
    GameEngine game;
};

} // namespace

TEST_F(GameEngineTest, TheDealUsesBothDecksOnce) {
    std::string all = game.Bottom();
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat) {
        EXPECT_EQ(game.Hand(seat).size(), GameEngine::HandSize);
        all += game.Hand(seat);
    }
    EXPECT_EQ(game.Bottom().size(), GameEngine::BottomSize);
    EXPECT_EQ(VF::SortCards(all, true),
              VF::SortCards(std::string(VF::CardChars) + std::string(VF::CardChars), true));
    EXPECT_EQ(game.CurrentSeat(), game.TurnedCardSeat()) << "the turned card's receiver bids";
    const auto fields = Fields(game.Snapshot(now));
    EXPECT_NE(game.Hand(game.TurnedCardSeat()).find(fields[37]), std::string::npos);
}

TEST_F(GameEngineTest, TheSameKeyDealsTheSameHandsAndAnotherKeyDoesNot) {
    GameEngine same(GameOptions{}, TestKey);
    same.StartHand(0);
    GameEngine other(GameOptions{}, ChaChaRandom::Key{9});
    other.StartHand(0);
    EXPECT_EQ(same.Hand(0), game.Hand(0));
    EXPECT_NE(other.Hand(0), game.Hand(0));
}

TEST(ChaChaRandom, MatchesTheReferenceKeystream) {
    // First word of the ChaCha20 block for an all-zero key, nonce and counter.
    ChaChaRandom random(ChaChaRandom::Key{});
    EXPECT_EQ(random.Next(), 0xade0b876u);
    EXPECT_EQ(random.Next(), 0x903df1a0u);
}

TEST_F(GameEngineTest, TheDealIsAnnouncedAsGameStartSeatOrderSnapshotAndBiddingStart) {
    GameEngine fresh(GameOptions{}, TestKey);
    fresh.StartHand(0);
    const auto output = fresh.TakeOutput();
    ASSERT_EQ(output.size(), 4u);
    EXPECT_EQ(output[0].SubKind, GameEngine::SubGameStarted);
    EXPECT_EQ(output[1].Payload, std::string("\x13\0\0\x01\x01\x02\x02\x03\x03", 9));
    ASSERT_EQ(output[2].SubKind, GameEngine::SubSnapshot);
    const auto fields = Fields(output[2].Payload);
    ASSERT_EQ(fields.size(), SnapshotFieldCount);
    EXPECT_EQ(fields[0], "1");
    EXPECT_EQ(fields[1], "1") << "dealing";
    EXPECT_EQ(fields[10].size(), 108u);
    EXPECT_EQ(output[3].Payload, BiddingStart(static_cast<uint8_t>(fresh.TurnedCardSeat())));
}

TEST_F(GameEngineTest, BiddingMovesAgainstThePlayDirectionAndRefusesLowBids) {
    const int first = game.CurrentSeat();
    EXPECT_FALSE(game.Receive((first + 1) % 4, BidRequest{uint8_t((first + 1) % 4), 2}, now));
    EXPECT_FALSE(game.Receive(first, BidRequest{uint8_t((first + 1) % 4), 2}, now))
        << "a record for another seat";
    EXPECT_FALSE(game.Receive(first, BidRequest{Seat(), 7}, now));
    ASSERT_TRUE(game.Receive(first, BidRequest{Seat(), 2}, now));
    EXPECT_EQ(RecordsOf(game.TakeOutput()), std::vector{BidMade(uint8_t(first), 2)});
    const int second = (first + 3) % 4;
    EXPECT_EQ(game.CurrentSeat(), second);
    EXPECT_FALSE(game.Receive(second, BidRequest{Seat(), 2}, now)) << "not above the highest";
    EXPECT_TRUE(game.Receive(second, BidRequest{Seat(), NoBid}, now));
    EXPECT_TRUE(game.Receive(game.CurrentSeat(), BidRequest{Seat(), NoBid}, now));
    EXPECT_TRUE(game.Receive(game.CurrentSeat(), BidRequest{Seat(), NoBid}, now));
    EXPECT_EQ(game.CurrentPhase(), GameEngine::Phase::Playing) << "the others declined";
    EXPECT_EQ(game.Banker(), first);
    EXPECT_EQ(game.HighestBid(), 2);
}

TEST_F(GameEngineTest, ASixEndsTheBiddingAndTheBankerTakesTheBottom) {
    const int banker = game.CurrentSeat();
    const std::string bottom = game.Bottom();
    BidSix();
    const auto records = RecordsOf(game.TakeOutput());
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[1], BiddingEnd(uint8_t(banker), 6));
    EXPECT_EQ(records[2], BankerHand(uint8_t(banker), game.Hand(banker)));
    EXPECT_EQ(records[3], MarkCards(uint8_t(banker), bottom));
    EXPECT_EQ(game.Hand(banker).size(), GameEngine::HandSize + GameEngine::BottomSize);
    EXPECT_EQ(game.CurrentSeat(), banker);
}

TEST_F(GameEngineTest, FourDeclinesDealAgainWithinTheSameGame) {
    const std::string firstHand = game.Hand(0);
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(game.Receive(game.CurrentSeat(), BidRequest{Seat(), NoBid}, now));
    EXPECT_EQ(game.Redeals(), 1);
    EXPECT_EQ(game.CurrentPhase(), GameEngine::Phase::Bidding);
    EXPECT_NE(game.Hand(0), firstHand);
    for (const auto &packet : game.TakeOutput())
        EXPECT_NE(packet.SubKind, GameEngine::SubGameOver) << "a redeal is not a finished hand";
}

TEST_F(GameEngineTest, IllegalPlaysAreRefusedWithoutChange) {
    BidSix();
    const int banker = game.CurrentSeat();
    const std::string hand = game.Hand(banker);
    std::string missing;
    for (char card : VF::CardChars)
        if (std::count(hand.begin(), hand.end(), card) == 0) {
            missing = std::string(1, card);
            break;
        }
    ASSERT_FALSE(missing.empty());
    const auto seat = uint8_t(banker);
    EXPECT_FALSE(game.Receive(banker, PlayRequest{seat, missing, missing}, now)) << "not held";
    const std::string own(1, hand[0]);
    const auto other = uint8_t((banker + 1) % 4);
    const std::string otherCard(1, game.Hand(other)[0]);
    EXPECT_FALSE(game.Receive(other, PlayRequest{other, otherCard, otherCard}, now)) << "turn";
    const std::string wrongFace = own == "A" ? "B" : "A";
    EXPECT_FALSE(game.Receive(banker, PlayRequest{seat, own, wrongFace}, now)) << "faces";
    EXPECT_FALSE(game.Receive(banker, PassRequest{seat}, now)) << "a leader cannot pass";
    EXPECT_EQ(game.Hand(banker), hand);
    EXPECT_TRUE(game.TakeOutput().size() > 0);
    EXPECT_TRUE(game.Receive(banker, PlayRequest{seat, own, own}, now));
    EXPECT_EQ(RecordsOf(game.TakeOutput()), std::vector{Played(seat, own, own)});
    EXPECT_EQ(game.CurrentSeat(), (banker + 1) % 4);
}

TEST(GameEngineJokers, AJokerMustStandForWhatItCanBe) {
    // The first key whose banker holds a joker beside other cards.
    for (uint32_t k = 1; k < 50; ++k) {
        GameEngine game(GameOptions{}, ChaChaRandom::Key{k, 2, 3, 4, 5, 6, 7, 8});
        game.StartHand(0);
        ASSERT_TRUE(
            game.Receive(game.CurrentSeat(), BidRequest{uint8_t(game.CurrentSeat()), 6}, 0));
        const int banker = game.CurrentSeat();
        const auto seat = uint8_t(banker);
        const std::string hand = game.Hand(banker);
        const auto joker = hand.find_first_of(VF::WildCards);
        const auto plain = hand.find_first_not_of(VF::WildCards);
        if (joker == std::string::npos || plain == std::string::npos)
            continue;
        const std::string cards = std::string(1, hand[joker]) + hand[plain];
        std::vector<std::string> faces;
        ASSERT_NE(VF::JokerInterpretations(cards, VF::WildCards, "", &faces), VF::ptInvalid);
        ASSERT_FALSE(faces.empty());
        // A pair of another rank than the card beside the joker is no reading of them.
        const std::string other =
            VF::CardsToRanks(std::string(1, hand[plain])) == VF::CardsToRanks("C") ? "DD" : "CC";
        EXPECT_FALSE(game.Receive(banker, PlayRequest{seat, cards, other}, 0));
        EXPECT_FALSE(game.Receive(banker, PlayRequest{seat, cards, cards + "C"}, 0));
        EXPECT_EQ(game.Hand(banker), hand);
        EXPECT_TRUE(game.Receive(banker, PlayRequest{seat, cards, faces[0]}, 0)) << faces[0];
        EXPECT_EQ(game.Hand(banker).size(), hand.size() - 2);
        return;
    }
    FAIL() << "no banker held a joker";
}

TEST_F(GameEngineTest, AfterThreePassesTheLastPlayerLeadsFreely) {
    BidSix();
    const int banker = game.CurrentSeat();
    const std::string card(1, VF::AutoLeadCard(game.Hand(banker))[0]);
    ASSERT_TRUE(game.Receive(banker, PlayRequest{uint8_t(banker), card, card}, now));
    for (int i = 1; i < 4; ++i)
        ASSERT_TRUE(game.Receive(game.CurrentSeat(), PassRequest{Seat()}, now));
    EXPECT_EQ(game.CurrentSeat(), banker);
    EXPECT_EQ(game.LastPlayer(), banker);
    const auto fields = Fields(game.Snapshot(now));
    for (int seat = 0; seat < 4; ++seat)
        EXPECT_EQ(fields[15 + seat], "") << "the trick is cleared";
}

TEST_F(GameEngineTest, TheClockDeclinesLeadsAndPassesForIdleSeats) {
    const int first = game.CurrentSeat();
    game.Tick(game.Deadline() - 1);
    EXPECT_TRUE(game.TakeOutput().empty());
    game.Tick(game.Deadline());
    EXPECT_EQ(RecordsOf(game.TakeOutput()), std::vector{BidMade(uint8_t(first), NoBid)});
    BidSix();
    game.TakeOutput();
    const int banker = game.CurrentSeat();
    const std::string lead = VF::AutoLeadCard(game.Hand(banker));
    game.Tick(game.Deadline());
    EXPECT_EQ(RecordsOf(game.TakeOutput()), std::vector{TimeoutPlayed(uint8_t(banker), lead)});
    const int next = game.CurrentSeat();
    game.Tick(game.Deadline());
    EXPECT_EQ(RecordsOf(game.TakeOutput()), std::vector{TimeoutPassed(uint8_t(next))});
}

TEST(GameEngineClock, ATurnWithoutThinkingTimeStartedAtTimeZeroStillTimesOut) {
    GameOptions options;
    options.BidTime = 0;
    GameEngine game(options, TestKey);
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat)
        game.SetSeatUser(seat, 100 + seat);
    game.StartHand(0);
    game.TakeOutput();
    const int first = game.CurrentSeat();
    game.Tick(0);
    EXPECT_EQ(RecordsOf(game.TakeOutput()), std::vector{BidMade(uint8_t(first), NoBid)});
}

TEST_F(GameEngineTest, AHandPlayedByTheClockAloneEndsWithBalancedScores) {
    const int last = (game.CurrentSeat() + 1) % 4;
    for (int i = 0; i < 3; ++i)
        game.Tick(game.Deadline());
    ASSERT_EQ(game.CurrentSeat(), last);
    game.Tick(game.Deadline());
    EXPECT_EQ(game.Redeals(), 0) << "the last idle seat is bid for instead of dealing again";
    EXPECT_EQ(game.CurrentPhase(), GameEngine::Phase::Playing);
    EXPECT_EQ(game.Banker(), last);
    EXPECT_EQ(game.HighestBid(), MinBid);
    for (int step = 0; step < 2000 && game.CurrentPhase() != GameEngine::Phase::HandOver; ++step)
        game.Tick(game.Deadline());
    ASSERT_EQ(game.CurrentPhase(), GameEngine::Phase::HandOver);
    int64_t sum = 0;
    for (const auto &entry : game.LastResult())
        sum += entry.Value1;
    EXPECT_EQ(sum, 0);
}

TEST_F(GameEngineTest, ScoresFollowTheBidTheBombsAndTheBanker) {
    BidSix();
    const int banker = game.Banker();
    PlayOut();
    const auto output = game.TakeOutput();
    const int64_t stake = int64_t{6} << game.Doublings();
    const auto &result = game.LastResult();
    const bool bankerWon = result[banker].Value1 > 0;
    EXPECT_EQ(bankerWon, game.Hand(banker).empty());
    for (int seat = 0; seat < 4; ++seat) {
        EXPECT_EQ(result[seat].UserId, 100 + seat);
        const int64_t expected = (seat == banker ? 3 : -1) * stake * (bankerWon ? 1 : -1);
        EXPECT_EQ(result[seat].Value1, expected) << seat;
    }
    ASSERT_GE(output.size(), 2u);
    EXPECT_EQ(output.back().SubKind, GameEngine::SubGameOver);
    EXPECT_EQ(output[output.size() - 2].Payload, HandResult(result));
}

TEST_F(GameEngineTest, BotsFinishManyHandsWithoutARefusedRecord) {
    for (int hand = 0; hand < 30; ++hand) {
        while (game.CurrentPhase() == GameEngine::Phase::Bidding) {
            const auto record = GameBot::Decide(game, game.CurrentSeat());
            ASSERT_TRUE(record);
            ASSERT_TRUE(game.Receive(game.CurrentSeat(), *record, now));
        }
        PlayOut();
        game.StartHand(now);
    }
}

TEST(GameRecords, RecordsHaveTheirWireSizes) {
    EXPECT_EQ(Played(1, std::string(30, 'A'), "A").size(), PlayRecSize);
    EXPECT_EQ(Played(1, std::string(30, 'A'), "A")[2], 27) << "cut to 27 cards";
    EXPECT_EQ(TimeoutPlayed(1, "A").size(), TimeoutPlayRecSize);
    EXPECT_EQ(TimeoutPassed(2), std::string("\x05\x02\x00", 3));
    EXPECT_EQ(BidMade(3, NoBid), std::string("\x10\x03", 2) + std::string(8, '\xFF') + '\0');
    EXPECT_EQ(BankerHand(0, "AB"), std::string("\x06\x00\x02"
                                               "AB",
                                               5));
    EXPECT_EQ(HandResult({}).size(), 1 + HandResultBlockSize);
    EXPECT_EQ(Trustee(1, true), std::string("\x08\x01\x01", 3));
}

TEST(GameRecords, ClientRecordsDecodeAndBadOnesAreRefused) {
    auto decode = [](const std::string &bytes) {
        return DecodeClientRecord({reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()});
    };
    std::string play = Played(2, "AB", "AB");
    play[0] = gmPlay;
    const auto decoded = decode(play);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(std::get<PlayRequest>(*decoded).Faces, "AB");
    EXPECT_FALSE(decode(play.substr(0, 57)));
    EXPECT_FALSE(decode(std::string("\x03\x04", 2))) << "seat 4";
    EXPECT_TRUE(decode(std::string("\x03\x03", 2)));
    EXPECT_FALSE(decode(std::string("\x09\x01\x06", 3)));
    EXPECT_FALSE(decode(std::string("\x01\x01", 2))) << "server-to-client id";
    EXPECT_FALSE(decode(""));
}

TEST(GameRecords, SnapshotNumbersAreHexWithNegativesAs32Bit) {
    SnapshotWriter writer;
    writer.Number(-1);
    writer.Number(255);
    EXPECT_EQ(writer.Finish(), "") << "too few fields";
    for (size_t i = 2; i < SnapshotFieldCount; ++i)
        writer.Cards("");
    EXPECT_EQ(writer.Finish().substr(0, 9), "FFFFFFFF,");
    EXPECT_EQ(writer.Finish().substr(9, 3), "FF,");
}
