// Classification, comparison and the play check on the cases the rules single out.

#include "cards/VestranoFunc.h"

#include <gtest/gtest.h>

namespace VF = VestranoFunc;

TEST(GroupsTest, GroupsSortLongestThenStrongestWithTheAceLowBesideA2) {
    EXPECT_EQ(VF::GroupRanks("ACDEB"), (VF::TGroupList{"E", "D", "C", "B", "A"}));
    EXPECT_EQ(VF::GroupRanks("JKLMA"), (VF::TGroupList{"A", "M", "L", "K", "J"}));
    EXPECT_EQ(VF::GroupRanks("AAACC"), (VF::TGroupList{"AAA", "CC"}));
    EXPECT_EQ(VF::GroupCards("aCANc"), (VF::TGroupList{"aAN", "Cc"}));
    // Jokers have no place in the low-ace order and come first there.
    EXPECT_EQ(VF::GroupRanks("B10"), (VF::TGroupList{"1", "0", "B"}));
    EXPECT_EQ(VF::GroupOrder(VF::GroupRanks("BBC"), 2), VF::LowAceOrder);
    EXPECT_EQ(VF::GroupOrder(VF::GroupRanks("BBC"), 1), VF::RankOrder);
}

TEST(GroupsTest, SequenceTests) {
    EXPECT_TRUE(VF::IsPairRun(VF::GroupRanks("MMAA")));
    EXPECT_TRUE(VF::IsPairRun(VF::GroupRanks("AABB")));
    EXPECT_FALSE(VF::IsPairRun(VF::GroupRanks("MMAABB")));
    EXPECT_FALSE(VF::IsPairRun(VF::GroupRanks("CC")));
    EXPECT_TRUE(VF::IsTripleRun(VF::GroupRanks("CCCDDD")));
    EXPECT_TRUE(VF::IsStraight(VF::GroupRanks("ACDEB")));
    EXPECT_FALSE(VF::IsStraight(VF::GroupRanks("KLMAB")));
    EXPECT_TRUE(VF::IsTriplesWithPairs(VF::GroupRanks("CCCDDDKKLL")));
    EXPECT_FALSE(VF::IsTriplesWithPairs(VF::GroupRanks("CCCDDDEEEF")));
}

TEST(ClassifyPlayTest, SinglesPairsTriplesAndTheRocket) {
    EXPECT_EQ(VF::ClassifyPlay(""), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay("1"), VF::ptSingle);
    EXPECT_EQ(VF::ClassifyPlay("aA"), VF::ptPair);
    EXPECT_EQ(VF::ClassifyPlay("01"), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay("00"), VF::ptPair);
    EXPECT_EQ(VF::ClassifyPlay("aAN"), VF::ptTriple);
    EXPECT_EQ(VF::ClassifyPlay("1100"), VF::ptRocket);
    EXPECT_EQ(VF::ClassifyPlay("0101"), VF::ptRocket);
    EXPECT_EQ(VF::ClassifyPlay("1100A"), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay("AAA00"), VF::ptTripleWithPair);
}

TEST(ClassifyPlayTest, BombsRunsAndTriplesWithPairs) {
    EXPECT_EQ(VF::ClassifyPlay("AaNn"), VF::ptBomb);
    EXPECT_EQ(VF::ClassifyPlay("AaNnAaNn"), VF::ptBomb);
    EXPECT_EQ(VF::ClassifyPlay(std::string(12, 'C')), VF::ptBomb);
    EXPECT_EQ(VF::ClassifyPlay(std::string(13, 'C')), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay("ABCDEFGHIJKLM"), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay("ACDEB"), VF::ptStraight);
    EXPECT_EQ(VF::ClassifyPlay("JKLMA"), VF::ptStraight);
    EXPECT_EQ(VF::ClassifyPlay("KLMAB"), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay("CDEFGH"), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay("MMAA"), VF::ptPairRun);
    EXPECT_EQ(VF::ClassifyPlay("AABB"), VF::ptPairRun);
    EXPECT_EQ(VF::ClassifyPlay("MMAABB"), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay("CCCDDDKKLL"), VF::ptTriplesWithPairs);
    EXPECT_EQ(VF::ClassifyPlay("CCCDDDEEEF"), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay("BBBCCCDDDEEEFFFGGGHHHIIIJJJ"), VF::ptTripleRun);
    EXPECT_EQ(VF::ClassifyPlay("AABBCCDDEEFFGGHHIIJJKKLLMM"), VF::ptPairRun);
}

TEST(ClassifyPlayTest, StringsThatAreNoCardsAreNoPlay) {
    EXPECT_EQ(VF::ClassifyPlay("?"), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay("??"), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay("A\xFF"), VF::ptInvalid);
    EXPECT_EQ(VF::ClassifyPlay(std::string(255, 'A')), VF::ptInvalid);
}

TEST(ComparePlaysTest, SequencesCompareTheirTopsWithTheAceLowBesideA2) {
    // The top of 10-J-Q-K-A is the ace (1st of the sequence order), of A-2-3-4-5 the 5
    // (10th): 10 - 1.
    EXPECT_EQ(VF::ComparePlays("JKLMA", "ACDEB"), 9);
    EXPECT_EQ(VF::ComparePlays("BCDEF", "ACDEB"), 1);
    EXPECT_EQ(VF::ComparePlays("ACDEB", "JKLMA"), -9);
    EXPECT_GT(VF::ComparePlays("11", "00"), 0);
    EXPECT_GT(VF::ComparePlays("00", "BB"), 0);
    EXPECT_GT(VF::ComparePlays("BBCC", "AABB"), 0);
    EXPECT_GT(VF::ComparePlays("MMAA", "BBCC"), 0);
}

TEST(ComparePlaysTest, BombsAndPlaysThatDoNotMeet) {
    EXPECT_EQ(VF::ComparePlays("CcPpC", "AaNn"), 1);
    EXPECT_EQ(VF::ComparePlays("AaNn", "CcPpC"), 0);
    EXPECT_GT(VF::ComparePlays("AaNn", "CcPp"), 0);
    EXPECT_EQ(VF::ComparePlays("CCDD", "EEFFGG"), 0);
    EXPECT_EQ(VF::ComparePlays("CC", ""), 0);
    EXPECT_EQ(VF::ComparePlays("", "CC"), 0);
    EXPECT_EQ(VF::ComparePlays("CCCC", "AA"), 1);
    EXPECT_EQ(VF::ComparePlays("AA", "CCCC"), -1);
    EXPECT_EQ(VF::ComparePlays("1100", "CCCCCCCC"), 99);
    EXPECT_EQ(VF::ComparePlays("CC", "D"), 0);
}

TEST(ComparePlaysTest, NothingBeatsARocket) {
    EXPECT_EQ(VF::ComparePlays("CCCCCCCC", "1100"), 0);
    std::vector<std::string> list;
    VF::JokerInterpretations("CCC0", VF::WildCards, "1100", &list);
    EXPECT_TRUE(list.empty());
}

TEST(CheckPlayTest, TurnSelectionAndHandChecks) {
    EXPECT_EQ(VF::CheckPlay(false, 1, 1, "C", "C", 1, "C", "", 1), VF::pcNotYourTurn);
    EXPECT_EQ(VF::CheckPlay(true, 2, 1, "C", "C", 1, "C", "", 1), VF::pcNotYourTurn);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "", "", 1, "C", "", 1), VF::pcNoCards);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "CC", "CC", 1, "C", "", 1), VF::pcInternal);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "CD", "CD", 1, "CD", "", 1), VF::pcWrongType);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "CD", "CD", 1, "CD", "", 1), VF::pcWrongType);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "C", "C", 1, "C", "", 1), VF::pcOk);
    // Plays of other seats come judged by the server.
    EXPECT_EQ(VF::CheckPlay(true, 2, 2, "CD", "CD", 1, "", "KK", 1), VF::pcOk);
}

TEST(CheckPlayTest, BeatingThePlayOnTheTable) {
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "CC", "CC", 1, "CC", "D", 2), VF::pcWrongType);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "DD", "DD", 1, "DD", "EE", 2), VF::pcTooSmall);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "EE", "EE", 1, "EE", "DD", 2), VF::pcOk);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "CcPp", "CcPp", 1, "CcPp", "JKLMA", 2), VF::pcOk);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "CcPp", "CcPp", 1, "CcPp", "1100", 2), VF::pcTooSmall);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "EE", "EE", 1, "EE", "1100", 2), VF::pcWrongType);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "CCDD", "CCDD", 1, "CCDD", "EEFFGG", 2), VF::pcTooSmall);
    // Jokers standing in: the interpretation is judged, the cards must be in the hand.
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "E0", "EE", 1, "E0A", "DD", 2), VF::pcOk);
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "E0", "EE", 1, "EA", "DD", 2), VF::pcInternal);
    // Leading again after everybody passed: any play goes.
    EXPECT_EQ(VF::CheckPlay(true, 1, 1, "C", "C", 1, "C", "KK", 1), VF::pcOk);
}
