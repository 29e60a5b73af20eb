// The server's engine deals and plays random hands — random bids, plays from the rules
// library's enumeration, random time-outs — and every record and snapshot it emits reaches
// the client through the hub, as it would over the wire. The client must never need a
// resync, and its hands, turn and trick must always be the engine's.
#include "ClientHubFixture.h"
#include "cards/VestranoFunc.h"
#include "controls/TCardGroupGraphic.h"
#include "game/GameEngine.h"

#include <cstdlib>
#include <random>

namespace VF = VestranoFunc;
using GameTest::ClientHubFixture;

namespace {

constexpr uint8_t Own = 2;
constexpr int DefaultHands = 300;
constexpr int MsPerSecond = 1000;

// VESTRANO_GAME_HANDS overrides the number of hands (the full run is 10,000).
int HandCount() {
    const char *text = std::getenv("VESTRANO_GAME_HANDS");
    return text ? std::atoi(text) : DefaultHands;
}

class RandomHands : public ClientHubFixture {
protected:
    RandomHands()
        : engine(Options(), {1, 2, 3, 4, 5, 6, 7, 8}) {
        Sit(Own, true);
        for (int seat = 0; seat < GameEngine::SeatCount; ++seat)
            engine.SetSeatUser(seat, seat == Own ? GameTest::Me : 100 + seat);
    }

    static GameOptions Options() {
        GameOptions options;
        options.PlayTime = 20;
        options.BidTime = 10;
        return options;
    }

    // Engine output to the client and the client's records to the engine, until quiet.
    void Pump() {
        for (;;) {
            auto output = engine.TakeOutput();
            for (const auto &packet : output)
                Deliver(packet.SubKind, packet.Payload);
            const auto sent = TakeSentRecords();
            for (const auto &bytes : sent) {
                const auto record = GameRecords::DecodeClientRecord(
                    std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()));
                ASSERT_TRUE(record);
                if (const auto *t = std::get_if<GameRecords::TrusteeRequest>(&*record))
                    trusteeSwitches += t->On;
                ASSERT_TRUE(engine.Receive(Own, *record, now)) << "the client sent a bad record";
            }
            if (output.empty() && sent.empty())
                return;
        }
    }

    void TimeOut() {
        if (engine.CurrentSeat() == Own && engine.CurrentPhase() == GameEngine::Phase::Playing) {
            // The own clock runs down; in trusteeship the client acts on its own first.
            while (Table().CurrentSeat == Own && Table().ClockNumber > 0) {
                client->ClockTick();
                Pump();
            }
        }
        if (engine.CurrentSeat() == Own && engine.CurrentPhase() == GameEngine::Phase::Playing &&
            Table().Trustee)
            return;
        now = std::max(now, engine.Deadline());
        engine.Tick(now);
    }

    void Bid(int seat) {
        const int64_t highest = engine.HighestBid();
        int64_t points = GameRecords::NoBid;
        if (rng() % 2 && highest < GameRecords::MaxBid)
            points = highest + 1 + static_cast<int64_t>(rng() % (GameRecords::MaxBid - highest));
        if (seat == Own)
            client->SendBid(Own, points);
        else
            ASSERT_TRUE(engine.Receive(seat, GameRecords::BidRequest{uint8_t(seat), points}, now));
    }

    void Play(int seat) {
        const bool leading = engine.LastPlayer() == seat;
        const auto options =
            VF::EnumeratePlays(engine.Hand(seat), leading ? std::string() : engine.PlayToBeat());
        const bool pass = !leading && (options.empty() || rng() % 3 == 0);
        if (seat == Own && Table().Trustee) {
            for (int i = 0; i < Table().TrusteeDelay; ++i)
                client->ClockTick();
            return;
        }
        if (pass) {
            if (seat == Own) {
                ASSERT_TRUE(client->ApplyPass(Own));
                client->SendPass(Own);
            } else {
                ASSERT_TRUE(engine.Receive(seat, GameRecords::PassRequest{uint8_t(seat)}, now));
            }
            return;
        }
        ASSERT_FALSE(options.empty());
        const auto &option = options[rng() % options.size()];
        const std::string cards = option.Cards.Str();
        const std::string faces = option.Faces.Str();
        if (seat == Own) {
            ASSERT_EQ(client->ApplyPlay(Own, cards, faces, false), VF::pcOk) << cards;
            client->SendPlay(Own, cards, faces);
        } else {
            ASSERT_TRUE(
                engine.Receive(seat, GameRecords::PlayRequest{uint8_t(seat), cards, faces}, now));
        }
    }

    void ExpectSameTable() {
        const auto phase = engine.CurrentPhase();
        if (phase == GameEngine::Phase::HandOver) {
            ASSERT_EQ(Table().Phase(), TVestranoTable::TPhase::HandOver);
            return;
        }
        ASSERT_EQ(Table().Phase(), phase == GameEngine::Phase::Bidding
                                       ? TVestranoTable::TPhase::Bidding
                                       : TVestranoTable::TPhase::Playing);
        ASSERT_EQ(Table().CurrentSeat, engine.CurrentSeat());
        for (int seat = 0; seat < GameEngine::SeatCount; ++seat) {
            const std::string expected = VF::SortChars(engine.Hand(seat), true);
            ASSERT_EQ(VF::SortChars(Table().LiveHand(seat), true), expected) << seat;
            ASSERT_EQ(VF::SortChars(client->HandControl(seat)->Cards(), true), expected) << seat;
        }
        ASSERT_EQ(Table().HighestBid, engine.HighestBid());
        if (phase == GameEngine::Phase::Playing) {
            ASSERT_EQ(Table().Banker, engine.Banker());
            ASSERT_EQ(Table().LastPlayer, engine.LastPlayer());
            ASSERT_EQ(Table().PlayToBeat, engine.PlayToBeat());
        }
    }

    GameEngine engine;
    std::mt19937 rng{20261209};
    int64_t now = 0;
    int trusteeSwitches = 0;
};

} // namespace

TEST_F(RandomHands, TheClientFollowsEveryHandWithoutAResync) {
    const int hands = HandCount();
    engine.StartHand(now);
    Pump();
    int steps = 0;
    while (engine.HandsFinished() < hands) {
        ++steps;
        now += MsPerSecond;
        if (engine.CurrentPhase() == GameEngine::Phase::HandOver)
            engine.StartHand(now);
        else if (rng() % 8 == 0)
            TimeOut();
        else if (engine.CurrentPhase() == GameEngine::Phase::Bidding)
            Bid(engine.CurrentSeat());
        else
            Play(engine.CurrentSeat());
        if (HasFatalFailure())
            return;
        Pump();
        ASSERT_NO_FATAL_FAILURE(ExpectSameTable()) << "step " << steps;
        ASSERT_EQ(Resyncs(), 0) << "step " << steps;
    }
    EXPECT_GE(engine.HandsFinished(), hands);
    RecordProperty("Steps", steps);
    RecordProperty("TrusteeSwitches", trusteeSwitches);
}
