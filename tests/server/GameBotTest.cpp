#include "game/GameBot.h"

#include "cards/VestranoFunc.h"

#include <gtest/gtest.h>

namespace VF = VestranoFunc;

namespace {

std::string Ranks(const std::optional<GameBot::TChoice> &choice) {
    return choice ? VF::CardsToRanks(choice->Faces) : "pass";
}

} // namespace

// Card letters: A..M are ace, 2, 3 .. king of one suit (C is a 3, M a king); a..m, N..Z
// and n..z the same ranks in the other suits; 0 and 1 are jokers.
TEST(GameBotPolicy, LeadsTheLongestWeakCombination) {
    GameBot::TView view;
    view.Leading = true;
    view.Hand = "CcDMm";
    EXPECT_EQ(Ranks(GameBot::ChooseFrom(view)), "CC") << "the pair of threes, not a single";
    view.Hand = "CDEFGMm";
    EXPECT_EQ(Ranks(GameBot::ChooseFrom(view)).size(), 5u) << "a straight sheds five";
}

TEST(GameBotPolicy, BeatsWithTheSmallestSufficientPlay) {
    GameBot::TView view;
    view.Hand = "EHMB";
    view.PlayToBeat = "D";
    EXPECT_EQ(Ranks(GameBot::ChooseFrom(view)), "E");
    view.PlayToBeat = "Hh";
    view.Hand = "IiMmE";
    EXPECT_EQ(Ranks(GameBot::ChooseFrom(view)), "II");
}

TEST(GameBotPolicy, KeepsBombsUntilAnOpponentIsNearlyOut) {
    GameBot::TView view;
    view.Hand = "CcPpE";
    view.PlayToBeat = "B";
    EXPECT_EQ(Ranks(GameBot::ChooseFrom(view)), "pass");
    view.OpponentNearlyOut = true;
    EXPECT_EQ(Ranks(GameBot::ChooseFrom(view)), "CCCC");
}

TEST(GameBotPolicy, LetsAPartnersPlayStandUnlessItCanGoOut) {
    GameBot::TView view;
    view.Hand = "EH";
    view.PlayToBeat = "D";
    view.PartnerLeads = true;
    EXPECT_EQ(Ranks(GameBot::ChooseFrom(view)), "pass");
    view.Hand = "E";
    EXPECT_EQ(Ranks(GameBot::ChooseFrom(view)), "E") << "going out wins the hand";
}

TEST(GameBotPolicy, BidsByStrongCardsAndOnlyAboveTheHighestBid) {
    EXPECT_EQ(GameBot::BidFor("CDEFGHIJ", 0), GameRecords::NoBid);
    EXPECT_EQ(GameBot::BidFor("01BbAaNn", 0), 2);
    EXPECT_EQ(GameBot::BidFor("01BbAaNn", 2), GameRecords::NoBid);
    EXPECT_EQ(GameBot::BidFor("01BbAaNnOoZzB0b1AaNn", 0), 6);
}
