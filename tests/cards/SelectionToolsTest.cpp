// Joker candidates, the fill builders and the hand tools on the cases the rules single out.

#include "cards/VestranoFunc.h"

#include <gtest/gtest.h>

namespace VF = VestranoFunc;

namespace {

std::vector<std::string> Candidates(std::string_view selection, std::string_view previous = "") {
    std::vector<std::string> list{"stale"};
    VF::JokerInterpretations(selection, VF::WildCards, previous, &list);
    return list;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(JokerInterpretationsTest, SelectionsOfJokersOnlyOrNoCardsAreNotSearched) {
    EXPECT_EQ(Candidates("1100"), Strings{});
    EXPECT_EQ(Candidates("00"), Strings{});
    EXPECT_EQ(Candidates("1"), Strings{});
    EXPECT_EQ(Candidates("CD"), Strings{});
    EXPECT_EQ(Candidates("?0"), Strings{});
    EXPECT_EQ(VF::JokerInterpretations("C0", VF::WildCards, "", nullptr), VF::ptInvalid);
}

TEST(JokerInterpretationsTest, CandidatesInTheirOrder) {
    EXPECT_EQ(Candidates("C0"), Strings{"CC"});
    EXPECT_EQ(Candidates("c0"), Strings{"cc"});
    EXPECT_EQ(Candidates("CC00"), (Strings{"CCCC", "CCDD"}));
    EXPECT_EQ(Candidates("CCC1M"), Strings{"CCCMM"});
    EXPECT_EQ(Candidates("CCMM1"), (Strings{"CCMMM", "CCMMC"}));
    EXPECT_EQ(Candidates("CDEF1"), Strings{"CDEFG"});
    EXPECT_EQ(Candidates("AB0CD"), Strings{"ABCDE"});
    EXPECT_EQ(Candidates("CCCDDDKKL1"), Strings{"CCCDDDKKLL"});
}

TEST(JokerInterpretationsTest, FollowingListsOnlyWhatBeatsThePlay) {
    EXPECT_EQ(Candidates("CC00", "DDDD"), Strings{});
    EXPECT_EQ(Candidates("CC00", "BBCC"), (Strings{"CCCC", "CCDD"}));
    EXPECT_EQ(Candidates("CC00", "DDEE"), Strings{"CCCC"});
    EXPECT_EQ(Candidates("K0", "JJ"), Strings{"KK"});
    EXPECT_EQ(Candidates("K0", "AA"), Strings{});
    EXPECT_EQ(VF::JokerInterpretations("CC00", VF::WildCards, "", nullptr), VF::ptInvalid);
    std::vector<std::string> list;
    EXPECT_EQ(VF::JokerInterpretations("CC00", VF::WildCards, "", &list), VF::ptPairRun);
}

TEST(FillBuildersTest, TheHighestWindowHoldingTheCoreWins) {
    EXPECT_EQ(VF::FillPairRun(2, "CC", 2), "CCDD");
    EXPECT_EQ(VF::FillPairRun(2, "AA", 2), "AAMM");
    EXPECT_EQ(VF::FillPairRun(2, "BB", 2), "BBCC");
    EXPECT_EQ(VF::FillTripleRun(2, "CCC", 3), "CCCDDD");
    EXPECT_EQ(VF::FillStraight(5, "BC", 3), "BCFED");
    EXPECT_EQ(VF::FillStraight(5, "KM", 3), "KMALJ");
    EXPECT_EQ(VF::FillPairRun(2, "CE", 2), "");
    EXPECT_EQ(VF::FillPairRun(2, "CCC", 1), "");
}

TEST(FillBuildersTest, TriplesWithPairsTakeTheLastAcceptedSubstitution) {
    EXPECT_EQ(VF::FillTriplesWithPairs("CCCDDDKKL", "", 1), "CCCDDDKKLL");
    // J-J-K-K comes after K-K-Q-Q in the loops over the substituted positions.
    EXPECT_EQ(VF::FillTriplesWithPairs("CCCDDDKK", "", 2), "CCCDDDKKJJ");
    // Against a play the completion must beat it: triples of jacks and queens.
    EXPECT_EQ(VF::FillTriplesWithPairs("CCDDKKL", "CCCDDDEEFF", 3), "CCDDKKLKLL");
    // Leading, the lower triples come last in the loops.
    EXPECT_EQ(VF::FillTriplesWithPairs("CCDDKKL", "", 3), "CCDDKKLCDL");
    EXPECT_EQ(VF::FillTriplesWithPairs("CCCDDDKK", "", 4), "");
    EXPECT_EQ(VF::FillTriplesWithPairs("", "", 2), "");
}

TEST(HandToolsTest, CardsInGroupsOfAndArrangeByCount) {
    EXPECT_EQ(VF::CardsInGroupsOf("CcPAaME", 3), "CcP");
    EXPECT_EQ(VF::CardsInGroupsOf("CcAaME", 3), "");
    EXPECT_EQ(VF::CardsInGroupsOf("CcAaME", 2), "CcAa");
    EXPECT_EQ(VF::CardsInGroupsOf("CcAaME", 1), "EM");
    EXPECT_EQ(VF::ArrangeByCount("EAPcMaC"), "CcPAaME");
    EXPECT_EQ(VF::ArrangeByCount("BbCc"), "BbCc");
}

TEST(HandToolsTest, CompareForDisplay) {
    const auto card = [](char code) {
        return VF::CardInfoOf(static_cast<VF::TCardIndex>(VF::CardIndexOf(code)), 0);
    };
    EXPECT_EQ(VF::CompareForDisplay(card('C'), card('B'), ""), 1);
    EXPECT_EQ(VF::CompareForDisplay(card('1'), card('B'), ""), -1);
    EXPECT_EQ(VF::CompareForDisplay(card('c'), card('C'), ""), 1);
    EXPECT_EQ(VF::CompareForDisplay(card('C'), card('c'), ""), 0);
    EXPECT_EQ(VF::CompareForDisplay(card('C'), card('C'), ""), 0);
    EXPECT_EQ(VF::CompareForDisplay(card('C'), card('D'), "DC"), 1);
    EXPECT_EQ(VF::CompareForDisplay(card('D'), card('C'), "DC"), -1);
    EXPECT_EQ(VF::CompareForDisplay(card('E'), card('C'), "DC"), -1);
    VF::TCardInfo broken = card('C');
    broken.Index = 200;
    EXPECT_EQ(VF::CompareForDisplay(broken, card('C'), "C"), -1);
    EXPECT_EQ(VF::CompareForDisplay(broken, card('C'), ""), -1);
}
