// The local player's controls on the table: which buttons a phase offers, what the play
// button says about a selection, joker choices, bids, the previous trick, arranging the
// hand and the mouse gestures — driven through the hub and checked on the shown widgets.
#include "TableViewFixture.h"
#include "common/Gbk.h"
#include "game/TTablePicture.h"

#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>

namespace GR = GameRecords;
namespace RC = GameRecordCodec;
namespace VF = VestranoFunc;
using GameTest::PlayingTable;
using GameTest::TableViewFixture;

namespace {

class TableControls : public TableViewFixture {
protected:
    std::string FetchHint() { return Gbk::ToUtf8(Controls().PicButtonFetch->Hint()); }
    void Click(TPictureButton *button) {
        ASSERT_TRUE(button->isVisible());
        const QPoint centre = button->rect().center();
        QMouseEvent press(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, centre, button->mapToGlobal(centre),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(button, &release);
    }
    void Mouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    // The first card `code` of the own hand, for a click.
    QPoint CardOf(char code) {
        const std::string cards = OwnHand()->Cards();
        const size_t at = cards.find(code);
        EXPECT_NE(at, std::string::npos) << code;
        return OwnHand()->CardRect(int(at)).topLeft() + QPoint(3, 30);
    }
    std::vector<RC::TGameRecord> SentDecoded() {
        std::vector<RC::TGameRecord> decoded;
        for (const auto &bytes : TakeSentRecords())
            decoded.push_back(*RC::Decode(std::span(reinterpret_cast<const uint8_t *>(bytes.data()),
                                                    bytes.size()))
                                   .Record);
        return decoded;
    }
    // Own seat 0 to play against `toBeat` of seat 3, or to lead when it is empty.
    void OwnTurn(const std::string &hand, const std::string &toBeat = {}) {
        SeatPlayers();
        Deliver(PluginPackets::Sub::GameStart);
        Snapshot(
            PlayingTable({hand, "cde", "PQRS", "pqr"}, 0, toBeat.empty() ? 0 : 3, toBeat).Join());
    }
};

} // namespace

TEST_F(TableControls, ThePlayButtonSaysWhyASelectionCannotBePlayed) {
    OwnTurn("ABCNa1");
    ASSERT_TRUE(Shown(Controls().PicButtonFetch));
    EXPECT_FALSE(Shown(Controls().PicButtonPass)) << "the leader cannot pass";
    EXPECT_EQ(At(Controls().PicButtonFetch), QPoint(369 + 10, 522));
    OwnHand()->SetSelectedCards("AB");
    EXPECT_FALSE(Controls().PicButtonFetch->isEnabled());
    EXPECT_EQ(FetchHint(), "类型不符");
    OwnHand()->SetSelectedCards("");
    EXPECT_EQ(FetchHint(), "未选择牌");
    EXPECT_FALSE(Controls().PicButtonFetch->isEnabled());
    OwnHand()->SetSelectedCards("AN");
    EXPECT_TRUE(Controls().PicButtonFetch->isEnabled());
    EXPECT_EQ(FetchHint(), "");
    Click(Controls().PicButtonFetch);
    const auto sent = SentDecoded();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::get<RC::TGamePlayRec>(sent[0]).Cards, "AN");
    EXPECT_FALSE(Shown(Controls().PicButtonFetch)) << "the turn moved on";
    EXPECT_FALSE(Controls().PicButtonFetch->isEnabled());
    EXPECT_EQ(FetchHint(), "");
}

TEST_F(TableControls, AJokerWithOneMeaningPlaysItWithoutChoicePanels) {
    OwnTurn("ABC1");
    OwnHand()->SetSelectedCards("A1");
    ASSERT_EQ(Table().Interpretations.size(), 1u);
    EXPECT_FALSE(Shown(Controls().ChoicePanels[0]));
    EXPECT_FALSE(Shown(Controls().ChoicePanels[1]));
    EXPECT_TRUE(Controls().PicButtonFetch->isEnabled());
    const std::string faces = Table().Interpretations[0];
    Click(Controls().PicButtonFetch);
    const auto sent = SentDecoded();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(VF::SortChars(std::get<RC::TGamePlayRec>(sent[0]).Cards, true), "1A");
    EXPECT_EQ(std::get<RC::TGamePlayRec>(sent[0]).Faces, faces);
}

TEST_F(TableControls, TwoMeaningsOpenTwoPanelsAndTheSecondPlaysEntryOne) {
    OwnTurn("EEFFM1abc", "CCCDD");
    OwnHand()->SetSelectedCards("EEFF1");
    ASSERT_EQ(Table().Interpretations.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(Shown(Controls().ChoicePanels[size_t(i)]));
        EXPECT_TRUE(Shown(Controls().ChoiceCards[size_t(i)]));
        EXPECT_EQ(VF::SortChars(Controls().ChoiceCards[size_t(i)]->Cards(), true), "1EEFF");
    }
    EXPECT_EQ(At(Controls().ChoicePanels[0]), QPoint(335, 442));
    EXPECT_EQ(At(Controls().ChoiceCards[1]), QPoint(515, 452));
    const auto shownValues = [](const TCardGroupGraphic *display) {
        std::vector<int> values;
        for (int i = 0; i < display->Count(); ++i)
            values.push_back(display->Items(i).ShownValue);
        return values;
    };
    EXPECT_NE(shownValues(Controls().ChoiceCards[0]), shownValues(Controls().ChoiceCards[1]))
        << "the same cards with different faces";
    EXPECT_EQ(At(Controls().PicButtonPass), QPoint(260, 522));
    EXPECT_EQ(At(Controls().PicButtonFetch), QPoint(369 + 45, 522));
    const std::string second = Table().Interpretations[1];
    TCardGroupGraphic *display = Controls().ChoiceCards[1];
    Mouse(display, QEvent::MouseButtonPress, display->CardRect(0).center(), Qt::LeftButton);
    const auto sent = SentDecoded();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::get<RC::TGamePlayRec>(sent[0]).Faces, second);
    EXPECT_FALSE(Shown(Controls().ChoicePanels[0]));
    EXPECT_EQ(OwnHand()->Cards().size(), 4u);
}

TEST_F(TableControls, BidButtonsFollowTheJokersInHandAndTheHighestBid) {
    SeatPlayers();
    Deliver(PluginPackets::Sub::GameStart);
    auto t = GameTest::BiddingTable(0);
    t.Fields[11] = "CDE10";
    Snapshot(t.Join());
    const auto &fen = Controls().PicButtonFen;
    EXPECT_FALSE(Shown(fen[0])) << "both big jokers: one point is too little";
    for (size_t i = 1; i < 6; ++i) {
        EXPECT_TRUE(Shown(fen[i])) << i + 1;
        EXPECT_EQ(At(fen[i]), QPoint(178 + 75 * int(i), 522));
    }
    EXPECT_TRUE(Shown(Controls().PicButtonDontDeclare));
    EXPECT_EQ(At(Controls().PicButtonDontDeclare), QPoint(628, 522));
    Click(fen[2]);
    const auto sent = SentDecoded();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::get<RC::TGameBidRec>(sent[0]).Points, 3);
    EXPECT_EQ(Table().SeatBid[0], 0) << "a bid waits for the server";

    Snapshot(GameTest::BiddingTable(1).Join());
    EXPECT_FALSE(Shown(fen[4])) << "not the own turn";
    Record(GR::BidMade(1, 4));
    ASSERT_EQ(Table().CurrentSeat, 0);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_FALSE(Shown(fen[i])) << i + 1;
    EXPECT_TRUE(Shown(fen[4]));
    EXPECT_TRUE(Shown(fen[5]));
    EXPECT_TRUE(Shown(Controls().PicButtonDontDeclare));
}

TEST_F(TableControls, AWatcherNeverGetsThePlayersButtonsAndItsRightClickDoesNothing) {
    SeatPlayers(0, false);
    const auto playerButtons = [this] {
        std::vector<QWidget *> buttons = {Controls().PicButtonReady, Controls().PicButtonFetch,
                                          Controls().PicButtonPass,
                                          Controls().PicButtonDontDeclare};
        buttons.insert(buttons.end(), Controls().PicButtonFen.begin(),
                       Controls().PicButtonFen.end());
        return buttons;
    };
    const auto noneShown = [&](const char *phase) {
        for (QWidget *button : playerButtons())
            EXPECT_FALSE(Shown(button)) << phase;
    };
    noneShown("waiting");
    Deliver(PluginPackets::Sub::GameStart);
    Snapshot(GameTest::BiddingTable(0).Join());
    noneShown("bidding");
    Snapshot(PlayingTable({"CDE", "cde", "PQRS", "pqr"}, 0, 3, "p").Join());
    noneShown("playing");
    OwnHand()->SetSelectedCards("E");
    Mouse(client, QEvent::MouseButtonPress, {400, 300}, Qt::RightButton);
    Mouse(client->HandControl(1), QEvent::MouseButtonPress, {10, 10}, Qt::RightButton);
    EXPECT_TRUE(TakeSentRecords().empty());
    EXPECT_EQ(Table().CurrentSeat, 0);
    Deliver(PluginPackets::Sub::GameOver);
    noneShown("hand over");
}

TEST_F(TableControls, ThePreviousTrickShowsForTwoSecondsOrUntilResumeOrAPlay) {
    SeatPlayers();
    Deliver(PluginPackets::Sub::GameStart);
    auto t = PlayingTable({"CDE", "cde", "PQRS", "pqr"}, 0, 3, "p");
    t.Fields[23 + 1] = "c";
    t.Fields[15 + 3] = "p";
    Snapshot(t.Join());
    ASSERT_TRUE(Shown(Controls().PicButtonPrior));
    EXPECT_EQ(At(Controls().PicButtonPrior), QPoint(550, 687));
    Click(Controls().PicButtonPrior);
    EXPECT_TRUE(Table().ShowPrevious);
    EXPECT_EQ(client->TrickDisplay(1)->Cards(), "c");
    EXPECT_TRUE(Shown(Controls().PicButtonResume));
    EXPECT_FALSE(Shown(Controls().PicButtonPrior));
    EXPECT_EQ(Controls().PreviousTrickTimer().interval(), 2000);
    Click(Controls().PicButtonResume);
    EXPECT_FALSE(Table().ShowPrevious);
    EXPECT_FALSE(Controls().PreviousTrickTimer().isActive());
    EXPECT_EQ(client->TrickDisplay(3)->Cards(), "p");

    Click(Controls().PicButtonPrior);
    OwnHand()->SetSelectedCards("E");
    Click(Controls().PicButtonFetch);
    EXPECT_FALSE(Table().ShowPrevious) << "a play ends the view";

    Click(Controls().PicButtonPrior);
    QEventLoop loop;
    QTimer::singleShot(2600, &loop, &QEventLoop::quit); // a coarse timer may be 5% late
    loop.exec();
    EXPECT_FALSE(Table().ShowPrevious) << "the view ends by itself after two seconds";
}

TEST_F(TableControls, ArrangingWorksOutsideTheOwnTurnAndTakeLeftKeepsItsOrder) {
    SeatPlayers();
    Deliver(PluginPackets::Sub::GameStart);
    Snapshot(PlayingTable({"ACEGNabc", "cde", "PQRS", "pqr"}, 1, 1).Join());
    ASSERT_NE(Table().CurrentSeat, 0);
    EXPECT_TRUE(Shown(Controls().PicButtonToLittle));
    EXPECT_FALSE(Shown(Controls().PicButtonToBig));
    Click(Controls().PicButtonToLittle);
    EXPECT_EQ(Table().SortMode, 1);
    EXPECT_EQ(OwnHand()->Cards(), VF::SortCards(OwnHand()->Cards(), false));
    EXPECT_TRUE(Shown(Controls().PicButtonToBig));
    Click(Controls().PicButtonMuchToFew);
    EXPECT_EQ(Table().SortMode, 3);
    EXPECT_EQ(OwnHand()->Cards(), VF::ArrangeByCount(OwnHand()->Cards()));

    OwnHand()->SetSelectedCards("Gb");
    const std::string selected = OwnHand()->SelectedCards();
    Click(Controls().PicButtonTakeLeft);
    EXPECT_EQ(OwnHand()->Cards().substr(0, 2), selected);
    EXPECT_EQ(OwnHand()->SelectedCards(), selected);
    const std::string taken = OwnHand()->Cards();
    Record(GR::Played(1, "c", "c"));
    Record(GR::Played(2, "P", "P"));
    EXPECT_EQ(OwnHand()->Cards(), taken) << "other seats' plays leave the order alone";
    Click(Controls().PicButtonMuchToFew);
    EXPECT_EQ(OwnHand()->Cards(), VF::SortCards(OwnHand()->Cards(), true));
}

TEST_F(TableControls, GroupButtonsSelectAndASecondPressClears) {
    SeatPlayers();
    Deliver(PluginPackets::Sub::GameStart);
    Snapshot(PlayingTable({"AaNnCcDE", "cde", "PQRS", "pqr"}, 1, 1).Join());
    Click(Controls().PicButtonBombCard);
    EXPECT_EQ(VF::SortChars(OwnHand()->SelectedCards(), true), "ANan");
    Click(Controls().PicButtonTwoCard);
    EXPECT_EQ(VF::SortChars(OwnHand()->SelectedCards(), true), "Cc");
    Click(Controls().PicButtonTwoCard);
    EXPECT_EQ(OwnHand()->SelectedCards(), "");
    Click(Controls().PicButtonThreeCard);
    EXPECT_EQ(OwnHand()->SelectedCards(), "") << "no triples in the hand";
}

TEST_F(TableControls, MouseGesturesOnTheTable) {
    OwnTurn("ACEGNabc", "c");
    OwnHand()->SetSelectedCards("E");
    Mouse(client, QEvent::MouseButtonDblClick, {400, 250}, Qt::LeftButton);
    EXPECT_EQ(OwnHand()->SelectedCards(), "") << "a double click on the table clears";
    OwnHand()->HighlightCards("AC");
    Mouse(client, QEvent::MouseButtonRelease, {400, 250}, Qt::LeftButton);
    EXPECT_EQ(OwnHand()->HighlightedCards(), "");

    OwnHand()->SetSelectedCards("ACEGN");
    Mouse(OwnHand(), QEvent::MouseMove, CardOf('A'), Qt::NoButton);
    EXPECT_TRUE(Shown(Controls().DragTip));
    EXPECT_EQ(At(Controls().DragTip), OwnHand()->mapToParent(CardOf('A')) + QPoint(0, 25));
    Mouse(client, QEvent::MouseMove, {400, 250}, Qt::NoButton);
    EXPECT_FALSE(Shown(Controls().DragTip));

    OwnHand()->SetSelectedCards("E");
    Mouse(OwnHand(), QEvent::MouseButtonPress, CardOf('A'), Qt::RightButton);
    const auto sent = SentDecoded();
    ASSERT_EQ(sent.size(), 1u) << "a right click on the hand plays the selection";
    EXPECT_EQ(std::get<RC::TGamePlayRec>(sent[0]).Cards, "E");
}

TEST_F(TableControls, ARightClickOnAnAvatarAsksForThePlayerMenu) {
    SeatPlayers();
    std::vector<int64_t> asked;
    QObject::connect(&hub, &TCustomPluginShare::UserMenuRequested,
                     [&](int64_t userId) { asked.push_back(userId); });
    TTablePicture *avatar = client->Avatar(2);
    ASSERT_TRUE(Shown(avatar));
    EXPECT_EQ(At(avatar), QPoint(579, 43));
    Mouse(avatar, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    client->OnSeatLeft(2, GameTest::Players[2]);
    Mouse(avatar, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    EXPECT_EQ(asked, std::vector<int64_t>{GameTest::Players[2]}) << "an empty seat has no menu";
}

TEST_F(TableControls, ButtonHintsRetireAfterTwentyTicksButThePlayHintStays) {
    OwnTurn("ACEGNabc");
    EXPECT_TRUE(Controls().PicButtonTakeLeft->ShowHint());
    for (int i = 0; i < 21; ++i)
        client->ClockTick();
    for (TPictureButton *button :
         {Controls().PicButtonPrior, Controls().PicButtonTakeLeft, Controls().PicButtonSingleCard,
          Controls().PicButtonBombCard, Controls().PicButtonMuchToFew, Controls().PicButtonToBig,
          Controls().PicButtonToLittle})
        EXPECT_FALSE(button->ShowHint());
    OwnHand()->SetSelectedCards("AC");
    EXPECT_TRUE(Controls().PicButtonFetch->ShowHint());
}

TEST_F(TableControls, TheTrusteeshipMarkFollowsTheServerAndAClickEndsIt) {
    OwnTurn("ACEGNabc", "c");
    Table().SetTrustee(true);
    TakeSentRecords();
    EXPECT_FALSE(Shown(client->TrusteeMark())) << "not before the server confirms";
    Record(GR::Trustee(0, true));
    ASSERT_TRUE(Shown(client->TrusteeMark()));
    EXPECT_EQ(At(client->TrusteeMark()), QPoint((811 - 97) / 2, 632));
    Mouse(client->TrusteeMark(), QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    EXPECT_FALSE(Table().Trustee);
    const auto sent = SentDecoded();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_FALSE(std::get<RC::TGameTrusteeRec>(sent[0]).On);
}

TEST_F(TableControls, TheBottomCardButtonShowsTheBottomUntilTheNextRefresh) {
    SeatPlayers();
    StartPlay(1);
    TCardGroupGraphic *bottom = client->BottomCardsDisplay();
    EXPECT_FALSE(Shown(bottom));
    Click(Controls().PicButtonBottomCard);
    EXPECT_TRUE(Shown(bottom));
    EXPECT_EQ(At(bottom), QPoint(326, 294));
    EXPECT_EQ(bottom->BackNumber(), 0) << "faces in play";
    Click(Controls().PicButtonBottomCard);
    EXPECT_FALSE(Shown(bottom));
    Click(Controls().PicButtonBottomCard);
    Record(GR::Played(1, "b", "b"));
    EXPECT_FALSE(Shown(bottom));
}

TEST_F(TableControls, DragSelectionFollowsTheOption) {
    OwnTurn("ACEGNabc");
    EXPECT_FALSE(OwnHand()->CanMoveSelect());
    client->SetDragSelect(true);
    EXPECT_TRUE(OwnHand()->CanMoveSelect());
    client->RefreshTable();
    EXPECT_TRUE(OwnHand()->CanMoveSelect()) << "every refresh keeps the option";
}
