// The card code, card strings, the deck container and the texts of the rules.

#include "cards/TCardDecks.h"
#include "cards/VestranoFunc.h"
#include "common/Gbk.h"

#include <gtest/gtest.h>

namespace VF = VestranoFunc;

TEST(CardCodeTest, RanksFoldEverySuitOntoTheSpadeLetters) {
    EXPECT_EQ(VF::CardsToRanks("aNn01"), "AAA01");
    EXPECT_EQ(VF::CardsToRanks(""), "");
    EXPECT_EQ(VF::CardsToRanks("MmZz"), "MMMM");
    EXPECT_EQ(VF::CardsToRanks("?\xFF"), "?\xFF");
}

TEST(CardCodeTest, AttributesOfTheIndexes) {
    EXPECT_EQ(VF::CardIndexOf('A'), 0);
    EXPECT_EQ(VF::CardIndexOf('z'), 51);
    EXPECT_EQ(VF::CardIndexOf('1'), 53);
    EXPECT_EQ(VF::CardIndexOf('?'), -1);
    EXPECT_EQ(VF::SuitOf(51), 3);
    EXPECT_EQ(VF::ValueOf(51), 13);
    EXPECT_EQ(VF::ValueOf(9), 10);
    EXPECT_EQ(VF::SuitOf(52), 4);
    EXPECT_EQ(VF::ValueOf(52), 14);
    EXPECT_EQ(VF::ValueOf(53), 15);
    EXPECT_EQ(VF::FaceValueOf('M'), 13);
    EXPECT_EQ(VF::FaceValueOf('x'), 11);
    EXPECT_EQ(VF::FaceValueOf('0'), 14);
    EXPECT_EQ(VF::FaceValueOf('?'), 0);
    const VF::TCardInfo info = VF::CardInfoOf(14, 3);
    EXPECT_EQ(info.Suit, 1);
    EXPECT_EQ(info.Value, 2);
    EXPECT_EQ(info.Back, 3);
    EXPECT_EQ(info.Tint, VF::clNone);
    EXPECT_EQ(info.ShownValue, 0);
    EXPECT_FALSE(info.Selected);
}

TEST(CardCodeTest, SortingFollowsTheCardOrder) {
    EXPECT_EQ(VF::SortCards("CbO1", true), "1bOC");
    EXPECT_EQ(VF::SortCards("CbO1", false), "COb1");
    EXPECT_EQ(VF::SortCards("AbA", true), "bAA");
    EXPECT_EQ(VF::SortCards("pCAA1", true), "1AACp");
    // Bytes that are no card have no place in the order and gather at the weak end.
    EXPECT_EQ(VF::SortCards("A?", false), "A?");
    EXPECT_EQ(VF::AutoLeadCard("1pAb"), "p");
    EXPECT_EQ(VF::AutoLeadCard(""), "");
}

TEST(CardCodeTest, MultisetOperations) {
    EXPECT_TRUE(VF::ContainsCards("AAB", "AA"));
    EXPECT_FALSE(VF::ContainsCards("AB", "AA"));
    EXPECT_TRUE(VF::ContainsCards("", ""));
    EXPECT_TRUE(VF::ContainsCards("B", ""));
    EXPECT_EQ(VF::RemoveCards("AABA", "AX"), "ABA");
    EXPECT_EQ(VF::RemoveCards("1100A", "1100"), "A");
    EXPECT_EQ(VF::RemoveCards("0A1", "1100"), "A");
    EXPECT_EQ(VF::RepeatEach("AMK", 2, ","), "AA,MM,KK");
    EXPECT_EQ(VF::RepeatEach("AMK", 2, ""), "AAMMKK");
    EXPECT_EQ(VF::RepeatEach("", 3, ","), "");
    EXPECT_EQ(VF::SortChars("bA1", true), "1Ab");
    EXPECT_EQ(VF::SortChars("bA1\xFF", false), "\xFF"
                                               "bA1");
    EXPECT_TRUE(VF::HasTwo("o"));
    EXPECT_FALSE(VF::HasTwo("A10"));
}

TEST(CardCodeTest, ImageNamesAndRankTexts) {
    EXPECT_EQ(VF::CardImageNames[0], "SA");
    EXPECT_EQ(VF::CardImageNames[9], "S10");
    EXPECT_EQ(VF::CardImageNames[25], "HK");
    EXPECT_EQ(VF::CardImageNames[27], "C2");
    EXPECT_EQ(VF::CardImageNames[51], "DK");
    EXPECT_EQ(VF::CardImageNames[52], "GL");
    EXPECT_EQ(VF::CardImageNames[53], "GH");
    for (std::size_t i = 0; i < VF::CardCount; ++i)
        EXPECT_EQ(VF::CardImageNames0[i], std::string(VF::CardImageNames[i]) + "0");
    EXPECT_EQ(VF::RankTexts[9], "10");
    EXPECT_EQ(VF::RankTexts[12], "K");
    EXPECT_EQ(VF::RankTexts[13], "");
}

TEST(CardCodeTest, TextsAreTheGbkOfTheirNames) {
    const std::string names[] = {"错误类型"_gbk, "单张"_gbk,       "对子"_gbk, "三张"_gbk,
                                 "三带对"_gbk,   "炸弹"_gbk,       "顺子"_gbk, "连对"_gbk,
                                 "连三"_gbk,     "连三带连对"_gbk, "火箭"_gbk};
    for (std::size_t i = 0; i < VF::PlayTypeCount; ++i)
        EXPECT_EQ(VF::PlayTypeNames[i], names[i]) << i;
    const std::string hints[] = {
        "", "内部错误"_gbk, "出牌不够大"_gbk, "未轮到出牌"_gbk, "未选择牌"_gbk, "类型不符"_gbk};
    for (std::size_t i = 0; i < VF::PlayCheckCount; ++i)
        EXPECT_EQ(VF::PlayCheckTexts[i], hints[i]) << i;
}

TEST(CardDecksTest, SetCardsKeepsCardCodesOnly) {
    TCardDecks decks;
    EXPECT_EQ(decks.Count(), 0u);
    EXPECT_FALSE(decks.Updating());
    decks.SetCards("A?1");
    ASSERT_EQ(decks.Items(), (std::vector<VF::TCardIndex>{0, 53}));
    EXPECT_EQ(decks.GetCards(), "A1");
    EXPECT_FALSE(decks.Updating());
    decks.SetCards("A1");
    EXPECT_EQ(decks.Count(), 2u);
    decks.Add(54);
    EXPECT_EQ(decks.Count(), 2u) << "an index that is no card is not stored";
    decks.Add(5);
    EXPECT_EQ(decks.GetCards(), "A1F");
    decks.Clear();
    EXPECT_EQ(decks.GetCards(), "");
}
