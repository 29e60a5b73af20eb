// Selecting cards with the mouse, and mouse events that belong to the table behind.
#include "CardGroupFixture.h"

namespace {

class CardGroupMouse : public CardGroupTest {
protected:
    void SetUp() override {
        CardGroupTest::SetUp();
        hand->SetCards("ABCDEFGH");
        hand->OnSelected = [this](TCardGroupGraphic *) {
            ++selectedEvents;
        };
        hand->OnDblClick = [this](TCardGroupGraphic *) {
            ++doubleClicks;
        };
    }

    int selectedEvents = 0;
    int doubleClicks = 0;
};

TEST_F(CardGroupMouse, ClickTogglesOneCard) {
    Click(2);
    EXPECT_EQ(hand->SelectedCards(), "C");
    EXPECT_TRUE(hand->DragState());
    EXPECT_EQ(selectedEvents, 1);
    Advance(DoubleClickTime() + 1);
    Click(2);
    EXPECT_EQ(hand->SelectedCards(), "");
    EXPECT_FALSE(hand->DragState());
    EXPECT_EQ(selectedEvents, 2);
}

TEST_F(CardGroupMouse, SecondClickWithinTheDoubleClickTimeDoesNotToggleAgain) {
    Click(3);
    Advance(DoubleClickTime());
    Click(3);
    EXPECT_EQ(hand->SelectedCards(), "D") << "the second click completed a double click";
    EXPECT_EQ(doubleClicks, 1) << "reported because the first click raised the card";
    EXPECT_EQ(selectedEvents, 1);

    Advance(1);
    Click(3);
    EXPECT_EQ(hand->SelectedCards(), "") << "the double click consumed the first click";
}

TEST_F(CardGroupMouse, QuickClicksOnDifferentCardsToggleBoth) {
    Click(1);
    Click(2);
    EXPECT_EQ(hand->SelectedCards(), "BC");
}

TEST_F(CardGroupMouse, DoubleClickAfterLoweringACardIsNotReported) {
    hand->SetSelectedCards("B");
    Click(1);
    EXPECT_FALSE(hand->DragState());
    Click(1);
    EXPECT_EQ(doubleClicks, 0);
    EXPECT_EQ(hand->SelectedCards(), "");
}

TEST_F(CardGroupMouse, ClickRightAfterDeletingCardsCompletesADoubleClick) {
    Click(0);
    hand->DeleteCards("H");
    Click(4);
    EXPECT_EQ(hand->SelectedCards(), "A") << "the removal ends a double click on any card";
    EXPECT_FALSE(hand->Data().CardsRemoved()) << "a left click clears the flag";
    Advance(DoubleClickTime() + 1);
    Click(4);
    EXPECT_EQ(hand->SelectedCards(), "AE");
}

TEST_F(CardGroupMouse, SingleSelectedKeepsOnlyTheClickedCard) {
    hand->SetSingleSelected(true);
    hand->SetSelectedCards("BF");
    Click(3);
    EXPECT_EQ(hand->SelectedCards(), "D");
    Advance(DoubleClickTime() + 1);
    Click(3);
    EXPECT_EQ(hand->SelectedCards(), "");
}

TEST_F(CardGroupMouse, DragPaintsTheClickedStateOverFurtherCards) {
    hand->SetCanMoveSelect(true);
    hand->SetSelectedCards("BCDE");
    Press(VisiblePointOf(1));
    EXPECT_FALSE(hand->DragState()) << "the click lowered card B";
    for (int card = 2; card <= 4; ++card)
        DragTo(VisiblePointOf(card));
    DragTo(VisiblePointOf(6));
    Release(VisiblePointOf(6));
    EXPECT_EQ(hand->SelectedCards(), "") << "every card passed over is lowered";

    Advance(DoubleClickTime() + 1);
    Press(VisiblePointOf(0));
    DragTo(VisiblePointOf(1));
    DragTo(VisiblePointOf(2));
    EXPECT_EQ(hand->SelectedCards(), "ABC") << "a raising drag raises the cards passed over";
}

TEST_F(CardGroupMouse, DragStartsAfreshFromThePressedCard) {
    hand->SetCanMoveSelect(true);
    Press(VisiblePointOf(5));
    DragTo(VisiblePointOf(6));
    Release(VisiblePointOf(6));
    ASSERT_EQ(hand->SelectedCards(), "FG");
    Advance(DoubleClickTime() + 1);
    Click(6);
    ASSERT_EQ(hand->SelectedCards(), "F");

    // The last drag entered card G; a new drag from H over G must still paint G.
    Advance(DoubleClickTime() + 1);
    Press(VisiblePointOf(7));
    EXPECT_TRUE(hand->DragState());
    DragTo(VisiblePointOf(6));
    EXPECT_EQ(hand->SelectedCards(), "FGH");

    Advance(DoubleClickTime() + 1);
    Press(VisiblePointOf(6));
    DragTo(VisiblePointOf(7));
    EXPECT_EQ(hand->SelectedCards(), "F");
}

TEST_F(CardGroupMouse, DragNeedsMoveSelectTheLeftButtonAndSeveralCards) {
    Press(VisiblePointOf(0));
    DragTo(VisiblePointOf(1));
    EXPECT_EQ(hand->SelectedCards(), "A") << "CanMoveSelect is off";

    hand->SetCanMoveSelect(true);
    hand->SetSingleSelected(true);
    DragTo(VisiblePointOf(2));
    EXPECT_EQ(hand->SelectedCards(), "A") << "SingleSelected is on";

    hand->SetSingleSelected(false);
    Send(QEvent::MouseMove, VisiblePointOf(3), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(hand->SelectedCards(), "A") << "no button held";
}

TEST_F(CardGroupMouse, MouseUpClearsWashesOnlyWithMoveSelect) {
    hand->HighlightCards("AB");
    Press(VisiblePointOf(0));
    Release(VisiblePointOf(0));
    EXPECT_EQ(hand->HighlightedCards(), "AB");
    hand->SetCanMoveSelect(true);
    Release(VisiblePointOf(3));
    EXPECT_EQ(hand->HighlightedCards(), "");
}

TEST_F(CardGroupMouse, RightButtonFetchesAndNothingIsSelectedWithoutCanSelect) {
    int fetched = 0;
    int downs = 0;
    hand->OnRightFetch = [&](TCardGroupGraphic *) {
        ++fetched;
    };
    hand->OnMouseDown = [&](TCardGroupGraphic *, QMouseEvent *) {
        ++downs;
    };
    Press(VisiblePointOf(2), Qt::RightButton);
    EXPECT_EQ(fetched, 1);
    EXPECT_EQ(hand->SelectedCards(), "");

    hand->SetCanSelect(false);
    Press(VisiblePointOf(2), Qt::RightButton);
    Click(2);
    EXPECT_EQ(fetched, 1);
    EXPECT_EQ(hand->SelectedCards(), "");
    EXPECT_EQ(downs, 3) << "OnMouseDown is raised whether or not cards can be selected";
}

TEST_F(CardGroupMouse, EventsBetweenSpacedCardsReachTheTable) {
    hand->SetCardSpacing(80);
    const QPoint gap(75, 50);
    ASSERT_EQ(hand->HitTest(gap), -1);
    Press(gap);
    Release(gap);
    ASSERT_EQ(table->Events.size(), 2u);
    EXPECT_EQ(table->Events[0].Type, QEvent::MouseButtonPress);
    EXPECT_EQ(table->Events[0].Position, gap + hand->pos()) << "in the table's coordinates";
    EXPECT_EQ(hand->SelectedCards(), "");

    Press(QPoint(5, 5));
    EXPECT_EQ(table->Events.size(), 3u) << "above an unraised card is a gap too";

    table->Events.clear();
    Click(1);
    EXPECT_TRUE(table->Events.empty()) << "events on a card stay with the hand";
}

TEST_F(CardGroupMouse, DoubleClickRunsTheHandlerFlaggedAndTogglesOnce) {
    int flagged = 0;
    hand->OnDblClick = [&](TCardGroupGraphic *sender) {
        flagged += sender->InDoubleClick();
    };
    DoubleClick(1);
    EXPECT_EQ(hand->SelectedCards(), "B");
    EXPECT_EQ(flagged, 1) << "raised once inside DblClick";
    EXPECT_FALSE(hand->InDoubleClick());
    EXPECT_TRUE(table->Events.empty());

    Advance(DoubleClickTime() + 1);
    DoubleClick(1);
    EXPECT_EQ(hand->SelectedCards(), "") << "a later double click lowers it again";

    hand->SetCardSpacing(80);
    Send(QEvent::MouseButtonDblClick, QPoint(75, 50), Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(table->Events.size(), 1u);
    EXPECT_EQ(table->Events[0].Type, QEvent::MouseButtonDblClick);
}

TEST_F(CardGroupMouse, DoubleClickIsReportedTwiceAfterRaisingACard) {
    DoubleClick(4);
    EXPECT_EQ(doubleClicks, 2) << "by DblClick, then by the press it stands for";
    EXPECT_EQ(selectedEvents, 1);
}

TEST_F(CardGroupMouse, HitTestPrefersTheLaterCard) {
    EXPECT_EQ(hand->HitTest(QPoint(20, 50)), 1);
    EXPECT_EQ(hand->HitTest(QPoint(13, 50)), 0);
    EXPECT_EQ(hand->HitTest(QPoint(150, 111)), 7);
    EXPECT_EQ(hand->HitTest(QPoint(7 * 14 + 71, 50)), -1);
    hand->SetSelectedCards("H");
    EXPECT_EQ(hand->HitTest(QPoint(150, 111)), 6) << "the raised card left its place";
}

} // namespace
