// Every phase of a hand rendered as the player sees it, written to table-renders/ in the
// build tree for a look, and checked where a picture must be: the background, the marks,
// the clock, the choice panels and the score board.
#include "TableViewFixture.h"
#include "game/TChatBubbles.h"
#include "game/TDealAnimation.h"
#include "game/THandResultBoard.h"
#include "game/TTablePicture.h"

#include "common/Gbk.h"

#include <QDir>

namespace GR = GameRecords;
using GameTest::TableViewFixture;

namespace {

class TableRender : public TableViewFixture {
protected:
    QImage Save(const char *name) {
        const QImage screen = Screen();
        const QString dir = QStringLiteral(VESTRANO_RENDER_DIR);
        QDir().mkpath(dir);
        EXPECT_TRUE(screen.save(dir + "/" + name + ".png"));
        return screen;
    }
    // The opaque pixels of a picture's row through `inside` are where it lies on the table.
    void ExpectDrawn(const QImage &screen, const QWidget *widget, QPoint inside) {
        const QImage picture = static_cast<const TTablePicture *>(widget)->Picture();
        ASSERT_TRUE(widget->isVisible());
        int compared = 0;
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb own = picture.pixel(x, inside.y());
            if (qAlpha(own) != 255)
                continue;
            ++compared;
            EXPECT_EQ(screen.pixel(widget->pos() + QPoint(x, inside.y())), own) << x;
        }
        EXPECT_GT(compared, 0);
    }
};

} // namespace

TEST_F(TableRender, Waiting) {
    SeatPlayers();
    client->OnSeatReady(1);
    client->OnSeatReady(2);
    const QImage screen = Save("waiting");
    ExpectDrawn(screen, client->ReadyMark(1), {40, 20});
    EXPECT_EQ(screen.pixel(500, 400), client->Background().pixel(500, 400));
}

TEST_F(TableRender, DealingAtTick60) {
    SeatPlayers();
    StartDeal();
    DealTicks(59);
    ASSERT_EQ(client->Deal().DealTick(), 60);
    const QImage screen = Save("dealing-tick60");
    EXPECT_TRUE(client->Deal().TurnedViews[2]->isVisible());
    EXPECT_NE(screen.pixel(client->Deal().PileB->pos() + QPoint(30, 10)),
              client->Background().pixel(client->Deal().PileB->pos() + QPoint(30, 10)));
}

TEST_F(TableRender, Bidding) {
    SeatPlayers();
    StartBidding(1);
    Record(GR::BidMade(1, 2));
    client->OnChatLine("大家好，叫分吧"_gbk, GameTest::Players[3]);
    const QImage screen = Save("bidding");
    ExpectDrawn(screen, client->BidMark(1), {30, 20});
    ExpectDrawn(screen, client->Clock(), {26, 5});
    ExpectDrawn(screen, client->Bubbles().Pictures[3], {60, 60});
}

TEST_F(TableRender, TakingBottom) {
    SeatPlayers();
    StartBidding(0);
    Record(GR::BidMade(0, 3));
    Record(GR::BiddingEnd(0, 3));
    const QImage screen = Save("taking-bottom");
    ExpectDrawn(screen, client->BidMark(0), {30, 20});
    EXPECT_TRUE(client->BottomCardsDisplay()->isVisible());
    EXPECT_FALSE(client->Clock()->isVisible());
}

TEST_F(TableRender, PlayingWithAJokerChoiceOpen) {
    SeatPlayers();
    StartPlay(0);
    const std::string lead = OwnHand()->Cards().substr(OwnHand()->Count() - 1);
    ASSERT_EQ(client->ApplyPlay(0, lead, lead, false), VestranoFunc::pcOk);
    Record(GR::Passed(1));
    Record(GR::Passed(2));
    Record(GR::Passed(3));
    ASSERT_EQ(Table().CurrentSeat, 0);
    const std::string hand = OwnHand()->Cards();
    // Two pairs and a joker make a triple with a pair of either rank.
    std::string pairs;
    for (const auto &group : VestranoFunc::GroupCards(hand))
        if (group.size() == 2 && pairs.size() < 4 && group.find_first_of("01") == std::string::npos)
            pairs += group;
    OwnHand()->SetSelectedCards(pairs + "1");
    const QImage screen = Save("playing-choice");
    ASSERT_EQ(Table().Interpretations.size(), 2u);
    ExpectDrawn(screen, client->Controls().ChoicePanels[1], {80, 5});
    ExpectDrawn(screen, client->Clock(), {26, 5});
    EXPECT_TRUE(client->Clock()->isVisible());
    EXPECT_EQ(client->Clock()->pos(), QPoint(205, 515));
}

TEST_F(TableRender, HandOverWithTheScoreBoard) {
    SeatPlayers();
    NameColumns("积分"_gbk, "游戏豆"_gbk);
    StartPlay(1);
    Record(GR::HandResult({{{GameTest::Players[0], 3, -20},
                            {GameTest::Players[1], -1, 40},
                            {GameTest::Players[2], -1, -10},
                            {GameTest::Players[3], -1, -10}}}));
    Deliver(PluginPackets::Sub::GameOver);
    const QImage screen = Save("hand-over");
    ASSERT_TRUE(client->Board().Shown());
    EXPECT_EQ(client->Board().Board->pos(), QPoint(226, 242));
    ExpectDrawn(screen, client->Board().Board, {5, 20});
}
