// EnumeratePlays against brute force: every subset of small hands, every form in which the
// game client could play it, kept when the play check accepts it. And IsValidInterpretation
// against the joker search run with every kind of play to beat.

#include "cards/CardGenerator.h"
#include "cards/VestranoFunc.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace VF = VestranoFunc;

namespace {

constexpr int Seat = 1;
constexpr int OtherSeat = 2;

using PlayKey = std::pair<std::string, std::string>;

PlayKey KeyOf(std::string_view cards, std::string_view faces) {
    return {VF::SortChars(VF::CardsToRanks(cards), true),
            VF::SortChars(VF::CardsToRanks(faces), true)};
}

bool HoldsJokersAndOthers(std::string_view cards) {
    const std::string core = VF::RemoveCards(cards, VF::WildCards);
    return !core.empty() && core.size() < cards.size();
}

// The forms in which the game client could play cards: the cards themselves, or one of
// the interpretations the joker search lists.
std::vector<std::string> FacesOf(const std::string &cards, const std::string &previous) {
    if (!HoldsJokersAndOthers(cards))
        return {cards};
    std::vector<std::string> list;
    VF::JokerInterpretations(cards, VF::WildCards, previous, &list);
    return list;
}

bool Accepted(const std::string &hand, std::string_view cards, std::string_view faces,
              const std::string &previous) {
    return VF::CheckPlay(true, Seat, Seat, cards, faces, Seat, hand, previous,
                         previous.empty() ? Seat : OtherSeat) == VF::pcOk;
}

std::set<PlayKey> BruteForce(const std::string &hand, const std::string &previous) {
    std::set<PlayKey> plays;
    const std::size_t n = hand.size();
    for (std::uint32_t subset = 1; subset < (1u << n); ++subset) {
        std::string cards;
        for (std::size_t i = 0; i < n; ++i) {
            if (subset >> i & 1u)
                cards += hand[i];
        }
        for (const std::string &faces : FacesOf(cards, previous)) {
            if (Accepted(hand, cards, faces, previous))
                plays.insert(KeyOf(cards, faces));
        }
    }
    return plays;
}

// Hands that hold structure: a few neighbouring ranks, often jokers.
std::string DenseHand(CardGenerator &gen, int size) {
    const int low = gen.Int(0, 8);
    std::string hand;
    std::string pool;
    for (int copy = 0; copy < 2; ++copy) {
        for (int rank = low; rank < low + 5; ++rank) {
            for (int suit = 0; suit < 4; ++suit)
                pool += VF::CardChars[suit * 13 + rank % 13];
        }
    }
    std::shuffle(pool.begin(), pool.end(), gen.Engine());
    const int jokers = gen.Int(0, 4);
    const std::string jokerPool = "0011";
    for (int i = 0; i < jokers; ++i)
        hand += jokerPool[i];
    hand += pool.substr(0, static_cast<std::size_t>(size - jokers));
    std::shuffle(hand.begin(), hand.end(), gen.Engine());
    return hand;
}

void ExpectEnumerationComplete(const std::string &hand, const std::string &previous) {
    SCOPED_TRACE("hand " + hand + " previous " + previous);
    const std::vector<VF::TPlayOption> plays = VF::EnumeratePlays(hand, previous);
    std::set<PlayKey> listed;
    for (const VF::TPlayOption &play : plays) {
        const std::string_view cards = play.Cards.View();
        const std::string_view faces = play.Faces.View();
        ASSERT_TRUE(VF::ContainsCards(hand, cards)) << cards;
        if (HoldsJokersAndOthers(cards)) {
            std::vector<std::string> list;
            VF::JokerInterpretations(cards, VF::WildCards, previous, &list);
            ASSERT_NE(std::find(list.begin(), list.end(), faces), list.end()) << cards;
        } else {
            ASSERT_EQ(faces, cards);
        }
        ASSERT_TRUE(Accepted(hand, cards, faces, previous)) << cards << " as " << faces;
        ASSERT_TRUE(listed.insert(KeyOf(cards, faces)).second)
            << "listed twice: " << cards << " as " << faces;
    }
    ASSERT_EQ(listed, BruteForce(hand, previous));
}

} // namespace

TEST(EnumeratePlaysTest, ListsEveryPlayOfSmallHandsOnceAgainstAnyPlay) {
    CardGenerator gen(11);
    for (int round = 0; round < 300; ++round) {
        const int size = gen.Int(4, round % 5 == 0 ? 14 : 11);
        const std::string hand = gen.Chance(60) ? DenseHand(gen, size) : gen.Hand(size);
        std::string previous;
        if (gen.Chance(60)) {
            previous = gen.Play();
            if (gen.Chance(30))
                previous = VF::RemoveCards(previous, VF::WildCards);
        }
        ExpectEnumerationComplete(hand, previous);
    }
}

TEST(EnumeratePlaysTest, ListsPlaysWithFourJokersAndLongRuns) {
    ExpectEnumerationComplete("CcDdEeFfGH1100", "");
    ExpectEnumerationComplete("CcPDdEeF1100", "");
    ExpectEnumerationComplete("CcPDdEeF1100", "KKLLMM");
    ExpectEnumerationComplete("AaBbCcDE0011", "");
    ExpectEnumerationComplete("CcPDdQKkL1100", "");
    // Following runs and triples with pairs, the completion may return either.
    ExpectEnumerationComplete("CcPDdQKkL1100", "CCCDDDEEFF");
    ExpectEnumerationComplete("CcPDdQKkLl110", "CCDDEEFFGG");
    ExpectEnumerationComplete("CcPDdQEeFf110", "BBBCCCDDD");
    ExpectEnumerationComplete("JjKkLlMmAa110", "CCDDEEFFGG");
}

TEST(EnumeratePlaysTest, NothingForStringsThatAreNoHand) {
    EXPECT_TRUE(VF::EnumeratePlays("AB?", "").empty());
    EXPECT_TRUE(VF::EnumeratePlays("AAA", "").empty());
    EXPECT_TRUE(VF::EnumeratePlays("", "").empty());
    EXPECT_TRUE(VF::EnumeratePlays("AaNn01", "1100").empty());
}

TEST(EnumeratePlaysTest, FillsAGivenListAlikeClearingItFirst) {
    CardGenerator gen(13);
    std::vector<VF::TPlayOption> plays;
    for (int round = 0; round < 60; ++round) {
        std::string hand = gen.Hand(gen.Int(1, 27));
        if (round % 3 == 0)
            hand = VF::RemoveCards(hand, VF::WildCards).substr(0, 23) + "1100";
        const std::string previous = round % 2 == 0 ? std::string() : gen.Play();
        SCOPED_TRACE("hand " + hand + " previous " + previous);
        VF::EnumeratePlays(hand, previous, plays);
        const std::vector<VF::TPlayOption> expected = VF::EnumeratePlays(hand, previous);
        ASSERT_EQ(plays.size(), expected.size());
        for (std::size_t i = 0; i < plays.size(); ++i) {
            ASSERT_EQ(plays[i].Cards, expected[i].Cards) << i;
            ASSERT_EQ(plays[i].Faces, expected[i].Faces) << i;
        }
    }
    VF::EnumeratePlays("AAA", "", plays);
    EXPECT_TRUE(plays.empty());
}

TEST(EnumeratePlaysTest, FollowingAPairListsHigherPairsBombsAndTheRocket) {
    const std::vector<VF::TPlayOption> plays = VF::EnumeratePlays("CDdEeRrK1100", "JJ");
    std::set<PlayKey> keys;
    for (const VF::TPlayOption &play : plays)
        keys.insert(KeyOf(play.Cards.View(), play.Faces.View()));
    EXPECT_TRUE(keys.count(KeyOf("K0", "KK")));
    EXPECT_TRUE(keys.count(KeyOf("00", "00")));
    EXPECT_TRUE(keys.count(KeyOf("EEEE", "EEEE")));
    EXPECT_TRUE(keys.count(KeyOf("EEEE11", "EEEEEE")));
    EXPECT_TRUE(keys.count(KeyOf("1100", "1100")));
    EXPECT_FALSE(keys.count(KeyOf("DD", "DD")));
    EXPECT_FALSE(keys.count(KeyOf("D0", "DD")));
}

TEST(IsValidInterpretationTest, AcceptsExactlyWhatTheJokerSearchCanList) {
    CardGenerator gen(12);
    std::vector<std::string> previousPlays = {""};
    for (int i = 0; i < 400; ++i)
        previousPlays.push_back(VF::RemoveCards(gen.Play(), VF::WildCards));
    for (int round = 0; round < 1500; ++round) {
        std::string cards = gen.NearPlay();
        if (!HoldsJokersAndOthers(cards) || cards.size() > 27)
            continue;
        std::set<std::string> possible;
        for (const std::string &previous : previousPlays) {
            std::vector<std::string> list;
            VF::JokerInterpretations(cards, VF::WildCards, previous, &list);
            possible.insert(list.begin(), list.end());
        }
        for (const std::string &faces : possible)
            ASSERT_TRUE(VF::IsValidInterpretation(cards, faces)) << cards << " as " << faces;
        // Near misses: the cards themselves, a listed form with one letter changed.
        ASSERT_EQ(VF::IsValidInterpretation(cards, cards), possible.count(cards) > 0) << cards;
        for (std::string faces : possible) {
            faces.back() = faces.back() == 'C' ? 'D' : 'C';
            ASSERT_EQ(VF::IsValidInterpretation(cards, faces), possible.count(faces) > 0)
                << cards << " as " << faces;
        }
    }
}

TEST(IsValidInterpretationTest, PlainSelectionsMustBePlayedAsThemselves) {
    EXPECT_TRUE(VF::IsValidInterpretation("CCDD", "CCDD"));
    EXPECT_FALSE(VF::IsValidInterpretation("CCDD", "CCCC"));
    EXPECT_TRUE(VF::IsValidInterpretation("1100", "1100"));
    EXPECT_FALSE(VF::IsValidInterpretation("1100", "AAAA"));
    EXPECT_TRUE(VF::IsValidInterpretation("C0", "CC"));
    EXPECT_FALSE(VF::IsValidInterpretation("C0", "DD"));
    EXPECT_FALSE(VF::IsValidInterpretation("C0", "C?"));
    EXPECT_FALSE(VF::IsValidInterpretation("C0", "CCC"));
}
