// What the hand control holds: geometry, card strings, selection, washes, labels, order.
#include "CardGroupFixture.h"

#include "cards/VestranoFunc.h"

#include <string>

using VestranoFunc::TCardInfo;

namespace {

const std::string Twenty = "ABCDEFGHIJabcdefghij";

TEST_F(CardGroupTest, SizeFollowsCardsSpacingAndStyle) {
    EXPECT_EQ(hand->size(), QSize(0, 112)) << "an empty row keeps the card height plus raise";
    hand->SetCards(Twenty);
    EXPECT_EQ(hand->size(), QSize(337, 112));
    EXPECT_EQ(hand->Buffer().size(), QSize(337, 112));
    hand->SetVertical(true);
    EXPECT_EQ(hand->size(), QSize(87, 19 * 14 + 96));
    hand->Clear();
    EXPECT_EQ(hand->size(), QSize(87, 0)) << "an empty column";
    hand->SetVertical(false);
    hand->SetSizeStyle(3);
    hand->SetCards("AB");
    EXPECT_EQ(hand->size(), QSize(17 + 100, 135 + 16));
    hand->SetCardSpacing(15);
    EXPECT_EQ(hand->size(), QSize(15 + 100, 151));
    hand->SetSizeStyle(7);
    EXPECT_EQ(hand->SizeStyle(), 3) << "an unknown style is refused";
}

TEST_F(CardGroupTest, SetCardsKeepsOnlyCardCodes) {
    hand->SetCards("A?1 z\xB0");
    EXPECT_EQ(hand->Cards(), "A1z");
    EXPECT_EQ(hand->Count(), 3);
    EXPECT_EQ(hand->Items(1).Suit, 4);
    EXPECT_EQ(hand->Items(1).Value, 15);
    EXPECT_EQ(hand->Items(1).Tint, VestranoFunc::clNone);
}

TEST_F(CardGroupTest, SetCardsWithTheShownCardsKeepsSelectionAndWashes) {
    hand->SetCards("ABCD");
    hand->SetSelectedCards("B");
    hand->HighlightCards("C");
    hand->SetCards("ABCD");
    EXPECT_EQ(hand->SelectedCards(), "B");
    EXPECT_EQ(hand->HighlightedCards(), "C");

    // In mode 2 only the very same string counts; another order rebuilds the hand.
    hand->SetCards("DCBA");
    EXPECT_EQ(hand->Cards(), "DCBA");
    EXPECT_EQ(hand->SelectedCards(), "");

    // In any other mode the same cards in another order count as the same hand.
    TCardGroupGraphic::SetCardsCompareMode(0);
    hand->SetSelectedCards("A");
    hand->SetCards("ABCD");
    EXPECT_EQ(hand->Cards(), "DCBA");
    EXPECT_EQ(hand->SelectedCards(), "A");
    hand->SetCards("ABCE");
    EXPECT_EQ(hand->Cards(), "ABCE");
}

TEST_F(CardGroupTest, TwoCopiesOfOneCardDeleteAndSelectTheLaterCopy) {
    hand->SetCards("AKA");
    hand->SetSelectedCards("A");
    EXPECT_FALSE(hand->Items(0).Selected);
    EXPECT_TRUE(hand->Items(2).Selected);

    hand->SetSelectedCards({});
    hand->SetItem(0, [&] {
        TCardInfo first = hand->Items(0);
        first.Tint = 0x123456;
        return first;
    }());
    hand->DeleteCards("A");
    ASSERT_EQ(hand->Cards(), "AK");
    EXPECT_EQ(hand->Items(0).Tint, 0x123456u) << "the earlier copy stays";
    EXPECT_TRUE(hand->Data().CardsRemoved());

    hand->SetCards("AKAKB");
    hand->DeleteCards("KAX");
    EXPECT_EQ(hand->Cards(), "AKB") << "each code removes one card, from the end";
}

TEST_F(CardGroupTest, SetSelectedCardsReportsEvenWithoutChange) {
    int selected = 0;
    hand->OnSelected = [&](TCardGroupGraphic *) {
        ++selected;
    };
    hand->SetCards("ABC");
    hand->SetSelectedCards("CA");
    EXPECT_EQ(hand->SelectedCards(), "AC");
    hand->SetSelectedCards("AC");
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(hand->CardRect(0).top(), 0) << "a selected card stands raised";
    EXPECT_EQ(hand->CardRect(1).top(), 16);
}

TEST_F(CardGroupTest, HighlightWashesExactlyTheNamedCards) {
    hand->SetHighlightColor(0x00FF00);
    hand->SetCards("ABCB");
    hand->HighlightCards("BA");
    EXPECT_EQ(hand->HighlightedCards(), "AB");
    EXPECT_EQ(hand->Items(3).Tint, 0x00FF00u);
    EXPECT_EQ(hand->Items(1).Tint, VestranoFunc::clNone);
    hand->HighlightCards({});
    EXPECT_EQ(hand->HighlightedCards(), "");
}

TEST_F(CardGroupTest, JokerLabelsNeedASubstitutionOfTheSameLength) {
    hand->SetCards("M0");
    hand->SetJokerLabels("MMM");
    EXPECT_EQ(hand->LabelledCards(), "") << "another length changes nothing";
    EXPECT_EQ(hand->Items(1).ShownValue, 0);

    hand->SetJokerLabels("MM");
    EXPECT_EQ(hand->Items(0).ShownValue, 13);
    EXPECT_EQ(hand->Items(1).ShownValue, 13) << "the small joker stands for a king";
    EXPECT_EQ(hand->LabelledCards(), "0");

    hand->SetCards("01A1");
    hand->SetJokerLabels("BCAA");
    EXPECT_EQ(hand->Items(0).ShownValue, 2) << "substitutions go to the wild cards in order";
    EXPECT_EQ(hand->Items(1).ShownValue, 3);
    EXPECT_EQ(hand->Items(3).ShownValue, 1);
    EXPECT_EQ(hand->LabelledCards(), "011");
}

TEST_F(CardGroupTest, SortingFollowsTheHandlerOrDescendingIndex) {
    hand->SetCards("aA1m");
    hand->Sort();
    EXPECT_EQ(hand->Cards(), "1maA");

    hand->SetOnCompare([](TCardGroupData *, const TCardInfo &a, const TCardInfo &b, int &compare) {
        compare = VestranoFunc::CompareForDisplay(a, b, {});
    });
    EXPECT_EQ(hand->Cards(), "1Aam") << "assigning a handler sorts at once";

    hand->SetAutoSort(true);
    hand->SetCards("maA1");
    EXPECT_EQ(hand->Cards(), "1Aam") << "EndUpdate sorts an automatically ordered hand";
    hand->AddCard(0);
    EXPECT_EQ(hand->Cards().back(), 'A') << "adding one card does not sort";
}

TEST_F(CardGroupTest, UpdatesDeferTheLayoutToTheOutermostEnd) {
    hand->BeginUpdate();
    hand->BeginUpdate();
    hand->AddCard(0);
    hand->AddCard(1);
    EXPECT_EQ(hand->width(), 0);
    hand->EndUpdate();
    EXPECT_EQ(hand->width(), 0);
    hand->EndUpdate();
    EXPECT_EQ(hand->width(), 14 + 71);
    hand->EndUpdate();
    hand->AddCard(2);
    EXPECT_EQ(hand->width(), 2 * 14 + 71) << "an unmatched EndUpdate does not block layouts";
}

TEST_F(CardGroupTest, RecordsCanBeReadAndWrittenSafely) {
    hand->SetCards("AB");
    EXPECT_EQ(hand->Items(-1).Value, 0);
    EXPECT_EQ(hand->Items(2).Tint, 0u) << "an all-zero record outside the hand";
    TCardInfo info = hand->Items(0);
    info.Selected = true;
    hand->SetItem(5, info);
    hand->SetItem(1, info);
    EXPECT_EQ(hand->Cards(), "AA");
    info.Index = 54;
    hand->SetItem(0, info);
    hand->AddCardInfo(info);
    EXPECT_EQ(hand->Cards(), "AA") << "records that name no card are refused";
}

TEST_F(CardGroupTest, BackNumberTurnsEveryCard) {
    hand->SetCards("AB");
    hand->SetBackNumber(1);
    EXPECT_EQ(hand->Items(0).Back, 1);
    hand->AddCard(5);
    EXPECT_EQ(hand->Items(2).Back, 1) << "new cards show the current back";
    EXPECT_EQ(CardPictures::ImageName(hand->Items(2), 1), "B0");
    EXPECT_EQ(CardPictures::ImageName(hand->Items(2), 0), "B00");
    hand->SetBackNumber(0);
    EXPECT_EQ(CardPictures::ImageName(hand->Items(2), 1), "S6");
    EXPECT_EQ(CardPictures::ImageName(hand->Items(2), 2), "S60");
}

} // namespace
