// Where the table puts things and when it shows them: seat elements by screen position,
// the clock, the score board, the deal animation tick by tick, speech bubbles, labels,
// the stacking order and the background.
#include "TableViewFixture.h"
#include "common/Emoticons.h"
#include "common/Gbk.h"
#include "controls/TNumberGraphic.h"
#include "game/TChatBubbles.h"
#include "game/TDealAnimation.h"
#include "game/THandResultBoard.h"
#include "game/TTableLabel.h"
#include "game/TTablePicture.h"
#include "panels/TLovelyChat.h"
#include "widgets/TImageList.h"

namespace GR = GameRecords;
using GameTest::PlayingTable;
using GameTest::TableViewFixture;

namespace {

class TableLayout : public TableViewFixture {
protected:
    std::string Utf8(const std::string &gbk) { return Gbk::ToUtf8(gbk); }
};

} // namespace

TEST_F(TableLayout, ASeatOnePlaceOnStandsOnTheRight) {
    SeatPlayers();
    client->OnSeatReady(1);
    TCardGroupGraphic *right = client->HandControl(1);
    EXPECT_TRUE(right->Vertical());
    EXPECT_EQ(At(client->ReadyMark(1)), QPoint(580, 322));
    EXPECT_TRUE(Shown(client->ReadyMark(1)));
    EXPECT_FALSE(Shown(client->ReadyMark(2))) << "not ready";
    EXPECT_EQ(At(client->Avatar(1)), QPoint(733, 275));
    EXPECT_EQ(At(client->NameLabel(1)), QPoint(733, 275 + 113));
    StartBidding(1);
    Record(GR::BidMade(1, 2));
    EXPECT_EQ(right->pos().x(), 658);
    EXPECT_EQ(right->pos().y(), (698 - right->height()) / 2);
    EXPECT_EQ(right->CardSpacing(), 2);
    EXPECT_EQ(At(client->BidMark(1)), QPoint(560, 322));
    EXPECT_TRUE(Shown(client->BidMark(1)));
    EXPECT_EQ(client->BidMark(1)->size(), QSize(65, 40));
    EXPECT_FALSE(Shown(client->ReadyMark(1))) << "a running game shows no ready marks";
    EXPECT_EQ(At(client->CountLabel(1)), QPoint(right->x() + 1, right->y() + right->height() - 93));
    EXPECT_EQ(client->CountLabel(1)->Text(), "25");
    EXPECT_EQ(At(client->CountLabel(0)), QPoint(-1000, -1000));

    Record(GR::SeatOrder({0, 2, 1, 3}));
    EXPECT_FALSE(right->Vertical()) << "seat 1 at place 2 sits at the top";
    EXPECT_EQ(client->HandControl(2)->x(), 658);
    EXPECT_EQ(At(client->BidMark(1)), QPoint(366, 185));
}

TEST_F(TableLayout, TheClockFollowsTheTurnAndSitsAboveTheBidButtonsForTheOwnBid) {
    SeatPlayers();
    StartBidding(0);
    EXPECT_EQ(At(client->Clock()), QPoint(390, 445));
    EXPECT_EQ(At(client->ClockDigits()), QPoint(390, 445));
    EXPECT_EQ(client->ClockNumberControl()->Number(), 15);
    Record(GR::BidMade(0, 2));
    EXPECT_EQ(Table().CurrentSeat, 3);
    EXPECT_EQ(At(client->Clock()), QPoint(172, 230));
    Record(GR::BidMade(3, -1));
    Record(GR::BidMade(2, -1));
    Record(GR::BidMade(1, -1));
    Record(GR::BiddingEnd(0, 2));
    EXPECT_FALSE(Shown(client->Clock())) << "hidden while the banker takes the bottom";
    EXPECT_EQ(client->ClockNumberControl()->Number(), 10);
    Record(GR::BankerHand(0, DealtHands()[0] + GameTest::FullDeck().substr(100)));
    EXPECT_TRUE(Shown(client->Clock()));
    EXPECT_EQ(At(client->Clock()), QPoint(205, 515));
    EXPECT_EQ(client->ClockNumberControl()->Number(), 20);
    client->ClockTick();
    EXPECT_EQ(client->ClockNumberControl()->Number(), 19) << "the digits follow every tick";
    EXPECT_TRUE(Shown(client->BankerMark()));
    EXPECT_EQ(At(client->BankerMark()), QPoint(73, 546));
    EXPECT_EQ(Utf8(client->BankerLabel()->Text()), "庄家：Me");
    EXPECT_EQ(Utf8(client->BidLabel()->Text()), "叫分：2分");
    EXPECT_EQ(client->NameLabel(0)->Color(), QColor(0, 255, 255)) << "the banker's name";
    EXPECT_EQ(client->NameLabel(1)->Color(), QColor(Qt::white));
}

TEST_F(TableLayout, TheDealGrowsACardEveryFourTicksAndTurnsTheCardAfterTick55) {
    SeatPlayers();
    StartDeal();
    TDealAnimation &deal = client->Deal();
    EXPECT_TRUE(deal.Timer().isActive());
    EXPECT_EQ(deal.Timer().interval(), 10);
    EXPECT_EQ(deal.PileA->Count(), 13);
    EXPECT_EQ(deal.PileB->Count(), 13);
    EXPECT_EQ(deal.PileB->Cards().back(), 'Q') << "the turned card lies last in pile B";
    EXPECT_EQ(deal.PileB->Items(12).Back, 0);
    EXPECT_EQ(At(deal.PileA), QPoint(332, 326));
    EXPECT_EQ(At(deal.PileB), QPoint(424, 326));
    EXPECT_FALSE(Shown(OwnHand())) << "the hands wait for the deal";
    const auto shownAt = [&](int tick) {
        while (deal.DealTick() < tick)
            client->DealTimerTick();
        client->DealTimerTick();
        return deal.DealViews[0]->Count();
    };
    EXPECT_EQ(shownAt(1), 0);
    EXPECT_EQ(shownAt(3), 0);
    EXPECT_EQ(shownAt(4), 1);
    EXPECT_EQ(shownAt(7), 1);
    EXPECT_EQ(deal.PileA->Count(), 11);
    EXPECT_FALSE(Shown(deal.TurnedViews[2]));
    shownAt(54);
    EXPECT_FALSE(Shown(deal.TurnedViews[2]));
    shownAt(55);
    EXPECT_TRUE(Shown(deal.TurnedViews[2]));
    EXPECT_EQ(deal.TurnedViews[2]->Cards(), "Q");
    const QSize turned = deal.TurnedViews[2]->size();
    EXPECT_EQ(At(deal.TurnedViews[2]), QPoint((811 - turned.width()) / 2 + 6, 150));
    EXPECT_EQ(shownAt(100), 25);
    EXPECT_EQ(deal.DealTick(), 0) << "the animation ends after tick 100";
    EXPECT_FALSE(deal.Timer().isActive());
    EXPECT_EQ(deal.PileA->Count(), 0);
    EXPECT_EQ(deal.PileB->Count(), 1);
    for (int seat = 0; seat < 4; ++seat)
        EXPECT_EQ(deal.DealViews[size_t(seat)]->Count(), 25);
    const QSize own = deal.DealViews[0]->size();
    EXPECT_EQ(At(deal.DealViews[0]), QPoint((811 - own.width()) / 2 + 10, 570));
    EXPECT_EQ(deal.DealViews[0]->Cards(), OwnHand()->Cards()) << "ordered like the hand";
    EXPECT_TRUE(Shown(deal.TurnedViews[2])) << "the turned card stays until bidding";
    Record(GR::BiddingStart(1));
    EXPECT_FALSE(Shown(deal.DealViews[0]));
    EXPECT_FALSE(Shown(deal.PileB));
    EXPECT_FALSE(Shown(deal.TurnedViews[2]));
    EXPECT_TRUE(Shown(OwnHand()));
}

TEST_F(TableLayout, ADeckShorterThanADealGivesShortPiles) {
    SeatPlayers();
    Deliver(PluginPackets::Sub::GameStart);
    auto t = DealTable();
    t.Fields[10] = "ABCDEFGHIJ";
    Snapshot(t.Join());
    EXPECT_EQ(client->Deal().PileA->Count(), 10);
    EXPECT_EQ(client->Deal().PileB->Count(), 0);
    DealTicks(101);
    EXPECT_EQ(client->Deal().DealViews[1]->Count(), 25);
}

TEST_F(TableLayout, SpeechBubblesShowTheLineAgeAndHide) {
    SeatPlayers();
    TChatBubbles &bubbles = client->Bubbles();
    EXPECT_EQ(TChatBubbles::BubbleText("7"_gbk + "拍了拍你(动作)"_gbk), "拍了拍你"_gbk);
    EXPECT_EQ(TChatBubbles::BubbleText("拍了拍你(动作)"_gbk), "拍了拍你(动作)"_gbk);
    EXPECT_EQ(TChatBubbles::BubbleText("好啊微笑ok"_gbk), "好啊/000/089"_gbk);
    client->OnChatLine("你好"_gbk, GameTest::Players[2]);
    EXPECT_EQ(bubbles.BubbleAge[2], 1);
    EXPECT_TRUE(bubbles.Timer().isActive());
    EXPECT_TRUE(Shown(bubbles.Pictures[2]));
    EXPECT_EQ(At(bubbles.Pictures[2]), QPoint(650, 41));
    EXPECT_EQ(At(bubbles.Texts[2]), QPoint(654, 44));
    EXPECT_EQ(bubbles.Texts[2]->size(), QSize(131, 83));
    EXPECT_FALSE(Shown(bubbles.Pictures[1]));
    for (int i = 0; i < 4; ++i)
        client->BubbleTimerTick();
    client->OnChatLine("再见"_gbk, GameTest::Players[2]);
    EXPECT_EQ(bubbles.BubbleAge[2], 1) << "a second line restarts the age";
    for (int i = 0; i < 5; ++i)
        client->BubbleTimerTick();
    EXPECT_TRUE(Shown(bubbles.Pictures[2]));
    client->BubbleTimerTick();
    EXPECT_EQ(bubbles.BubbleAge[2], 0);
    EXPECT_FALSE(Shown(bubbles.Pictures[2]));
    EXPECT_FALSE(bubbles.Timer().isActive());

    client->SetHideBubbles(true);
    const QImage before = bubbles.TextBitmap(1);
    client->OnChatLine("看不见"_gbk, GameTest::Players[1]);
    EXPECT_FALSE(Shown(bubbles.Pictures[1]));
    EXPECT_NE(bubbles.TextBitmap(1), before) << "the line is still rendered";
    client->OnChatLine("旁观"_gbk, 999);
    EXPECT_EQ(bubbles.BubbleAge, (std::array<int32_t, 4>{0, 1, 0, 0}));
}

TEST_F(TableLayout, EmoticonNamesAreMatchedOnCharacterBoundariesIgnoringCase) {
    EXPECT_EQ(Emoticons::Code(7), "/007");
    EXPECT_EQ(Emoticons::ReplaceNames("OK ok Ok"), "/089 /089 /089");
    // 0xCE 0x4F is one character whose second byte is the letter O: no "OK" starts there.
    const std::string trail = "\xCE\x4F"
                              "K";
    EXPECT_EQ(Emoticons::ReplaceNames(trail), trail);
    Emoticons::Names()[45] = "驴"_gbk;
    EXPECT_EQ(Emoticons::ReplaceNames("驴"_gbk), "/045");
}

TEST_F(TableLayout, NameLabelsShowDroppedPlayersDuringAGame) {
    SeatPlayers();
    client->OnSeatLeft(3, GameTest::Players[3]);
    EXPECT_EQ(client->NameLabel(3)->Text(), "");
    StartBidding(0);
    EXPECT_EQ(Utf8(client->NameLabel(3)->Text()), "掉线中..");
    EXPECT_EQ(client->NameLabel(2)->Text(), "Player2");
    pluginUser.SetHideInfo(true);
    client->RefreshTable();
    EXPECT_EQ(client->NameLabel(2)->Text(), "****");
    EXPECT_EQ(client->NameLabel(0)->Text(), "Me");
}

TEST_F(TableLayout, LaterElementsLieOnTopOfEarlierOnes) {
    SeatPlayers();
    StartBidding(0);
    client->OnChatLine("你好"_gbk, GameTest::Players[3]);
    const QPoint overlap(100, 290); // the left bubble over the left hand
    ASSERT_TRUE(client->HandControl(3)->geometry().contains(overlap));
    EXPECT_EQ(client->childAt(overlap), client->Bubbles().Texts[3]);
    const QPoint avatarUnderHand = client->HandControl(2)->geometry().center();
    EXPECT_NE(client->childAt(avatarUnderHand), client->Avatar(2));
}

TEST_F(TableLayout, TheBackgroundIsDrawnOnceLaidOutAndFollowsTheOption) {
    TVestranoClient fresh;
    EXPECT_FALSE(fresh.Laidout());
    EXPECT_EQ(fresh.BackgroundIndex(), 0);
    EXPECT_EQ(fresh.Background().size(), QSize(1024, 734));
    EXPECT_TRUE(client->Laidout());
    const QImage first = client->Background();
    client->SetBackground(1);
    EXPECT_EQ(client->BackgroundIndex(), 1);
    EXPECT_NE(client->Background(), first);
    EXPECT_EQ(Screen().pixel(400, 300), client->Background().pixel(400, 300));
    QImage own(10, 10, QImage::Format_RGB32);
    own.fill(0xFF123456);
    client->SetBackgroundPicture(own);
    EXPECT_EQ(client->Background().size(), QSize(1024, 734));
    EXPECT_EQ(Screen().pixel(1000, 700), 0xFF123456);
}

TEST_F(TableLayout, TheScoreBoardSitsInTheMiddle) {
    SeatPlayers();
    StartPlay(0);
    Record(GR::HandResult({{{GameTest::Players[0], 1, 1}}}));
    EXPECT_FALSE(client->Board().Shown()) << "not before the game is over";
    Deliver(PluginPackets::Sub::GameOver);
    ASSERT_TRUE(client->Board().Shown());
    EXPECT_EQ(At(client->Board().Board), QPoint(226, 242));
    EXPECT_EQ(At(client->Board().Text), QPoint(226, 242));
    EXPECT_EQ(client->Board().Text->size(), QSize(359, 195));
}

TEST_F(TableLayout, ABubbleDrawsEmoticonNamesAsTheirPictures) {
    SeatPlayers();
    TImageList faces;
    QImage face(24, 24, QImage::Format_ARGB32_Premultiplied);
    face.fill(0xFFFF0000);
    for (int i = 0; i < Emoticons::Count; ++i)
        faces.Add(face);
    client->Bubbles().Renderer(1).SetEmotionImages(&faces);
    const auto redPixels = [&] {
        const QImage &text = client->Bubbles().TextBitmap(1);
        int red = 0;
        for (int y = 0; y < text.height(); ++y)
            for (int x = 0; x < text.width(); ++x)
                red += text.pixel(x, y) == 0xFFFF0000;
        return red;
    };
    client->OnChatLine("hello"_gbk, GameTest::Players[1]);
    EXPECT_EQ(redPixels(), 0);
    client->OnChatLine("hello微笑"_gbk, GameTest::Players[1]);
    EXPECT_GT(redPixels(), 24 * 24 * 9 / 10) << "the picture, give or take a neighbouring glyph";
}
