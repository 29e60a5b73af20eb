// The fast rules against their literal transcription on random input: raw bytes, dealt
// hands and disturbed plays of every shape with jokers sprinkled in. The number of inputs
// scales with VESTRANO_CARDS_DIFF_SCALE (default 1: 1,004,000 in all).

#include "cards/CardGenerator.h"
#include "cards/LiteralRules.h"
#include "cards/VestranoFunc.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace VF = VestranoFunc;

// Fast result, literal result; the inputs are described (lazily) by the loop's context.
#define SAME(fast, literal) ASSERT_EQ(fast, literal) << context()

namespace {

int Scale() {
    const char *value = std::getenv("VESTRANO_CARDS_DIFF_SCALE");
    const int scale = value ? std::atoi(value) : 1;
    return scale > 0 ? scale : 1;
}

// Any input: one of the three kinds.
std::string AnyCards(CardGenerator &gen) {
    switch (gen.Int(0, 3)) {
    case 0:
        return gen.Bytes(30);
    case 1:
        return gen.Hand(gen.Int(0, 27));
    default:
        return gen.NearPlay();
    }
}

std::string Previous(CardGenerator &gen) {
    if (gen.Chance(25))
        return {};
    if (gen.Chance(5))
        return gen.Bytes(12);
    return gen.Chance(80) ? gen.Play() : gen.NearPlay();
}

std::string Wild(CardGenerator &gen) {
    if (gen.Chance(90))
        return "1100";
    return gen.Chance(50) ? gen.Bytes(4) : std::string(1, gen.Joker());
}

std::string Order(CardGenerator &gen) {
    switch (gen.Int(0, 3)) {
    case 0:
        return {};
    case 1:
        return std::string(VF::RankOrder);
    case 2:
        return std::string(VF::LowAceOrder);
    default:
        return gen.Bytes(16);
    }
}

} // namespace

TEST(DifferentialTest, CardStringOperationsAgree) {
    CardGenerator gen(1);
    const int count = 300000 * Scale();
    for (int i = 0; i < count; ++i) {
        const std::string a = AnyCards(gen);
        const std::string b = gen.Chance(50) ? AnyCards(gen) : gen.Bytes(6);
        const auto context = [&] {
            return testing::Message()
                   << "a=" << testing::PrintToString(a) << " b=" << testing::PrintToString(b);
        };
        SAME(VF::CardsToRanks(a), Literal::CardsToRanks(a));
        SAME(VF::SortCards(a, true), Literal::SortCards(a, true));
        SAME(VF::SortCards(a, false), Literal::SortCards(a, false));
        SAME(VF::HasTwo(a), Literal::HasTwo(a));
        SAME(VF::ContainsCards(a, b), Literal::ContainsCards(a, b));
        SAME(VF::RemoveCards(a, b), Literal::RemoveCards(a, b));
        const int times = gen.Int(-2, 4);
        SAME(VF::RepeatEach(b, times, a.substr(0, 2)),
             Literal::RepeatEach(b, times, a.substr(0, 2)));
    }
}

TEST(DifferentialTest, GroupsAndSequenceTestsAgree) {
    CardGenerator gen(2);
    const int count = 60000 * Scale();
    for (int i = 0; i < count; ++i) {
        const std::string cards = AnyCards(gen);
        const auto context = [&] {
            return testing::Message() << testing::PrintToString(cards);
        };
        const VF::TGroupList ranks = VF::GroupRanks(cards);
        SAME(ranks, Literal::GroupRanks(cards));
        SAME(VF::GroupCards(cards), Literal::GroupCards(cards));
        SAME(VF::IsPairRun(ranks), Literal::IsPairRun(ranks));
        SAME(VF::IsTripleRun(ranks), Literal::IsTripleRun(ranks));
        SAME(VF::IsTriplesWithPairs(ranks), Literal::IsTriplesWithPairs(ranks));
        SAME(VF::IsStraight(ranks), Literal::IsStraight(ranks));
        VF::TGroupList shuffled = ranks;
        std::shuffle(shuffled.begin(), shuffled.end(), gen.Engine());
        VF::TGroupList literal = shuffled;
        const std::string order = Order(gen);
        VF::SortGroups(shuffled, order);
        Literal::SortGroups(literal, order);
        SAME(shuffled, literal) << "order " << testing::PrintToString(order);
        const int n = gen.Int(0, 4);
        SAME(VF::CardsInGroupsOf(cards, n), Literal::CardsInGroupsOf(cards, n));
        SAME(VF::ArrangeByCount(cards), Literal::ArrangeByCount(cards));
    }
}

TEST(DifferentialTest, ClassificationComparisonAndCheckAgree) {
    CardGenerator gen(3);
    const int count = 600000 * Scale();
    for (int i = 0; i < count; ++i) {
        const std::string play = gen.Chance(70) ? gen.NearPlay() : AnyCards(gen);
        const std::string previous = Previous(gen);
        const auto context = [&] {
            return testing::Message() << "play=" << testing::PrintToString(play)
                                      << " previous=" << testing::PrintToString(previous);
        };
        SAME(VF::ClassifyPlay(play), Literal::ClassifyPlay(play));
        SAME(VF::ComparePlays(play, previous), Literal::ComparePlays(play, previous));
        const std::string hand = gen.Chance(50) ? play + gen.Hand(gen.Int(0, 5)) : gen.Hand(20);
        const std::string cards = gen.Chance(80) ? play : gen.Bytes(3);
        const int seat = gen.Int(0, 3);
        const int current = gen.Chance(80) ? seat : gen.Int(0, 3);
        const int own = gen.Chance(80) ? seat : gen.Int(0, 3);
        const int last = gen.Chance(60) ? gen.Int(0, 3) : seat;
        const bool running = gen.Chance(95);
        SAME(VF::CheckPlay(running, current, seat, cards, play, own, hand, previous, last),
             Literal::CheckPlay(running, current, seat, cards, play, own, hand, previous, last));
    }
}

TEST(DifferentialTest, JokerInterpretationsAgree) {
    CardGenerator gen(4);
    const int count = 40000 * Scale();
    std::vector<std::string> fast;
    std::vector<std::string> literal;
    for (int i = 0; i < count; ++i) {
        const std::string selection = gen.Chance(85) ? gen.NearPlay() : AnyCards(gen);
        const std::string wild = Wild(gen);
        const std::string previous = Previous(gen);
        const auto context = [&] {
            return testing::Message() << "selection=" << testing::PrintToString(selection)
                                      << " wild=" << testing::PrintToString(wild)
                                      << " previous=" << testing::PrintToString(previous);
        };
        const int fastType = VF::JokerInterpretations(selection, wild, previous, &fast);
        const int literalType = Literal::JokerInterpretations(selection, wild, previous, &literal);
        SAME(fast, literal);
        SAME(fastType, literalType);
    }
}

TEST(DifferentialTest, FillBuildersAgree) {
    CardGenerator gen(5);
    const int count = 4000 * Scale();
    for (int i = 0; i < count; ++i) {
        const std::string core =
            gen.Chance(80) ? VF::RemoveCards(gen.NearPlay(), "1100") : gen.Bytes(12);
        const int jokers = gen.Chance(80) ? gen.Int(1, 4) : gen.Int(-1, 6);
        const int length = gen.Chance(80) ? gen.Int(2, 13) : gen.Int(-2, 16);
        const std::string previous = Previous(gen);
        const auto context = [&] {
            return testing::Message()
                   << "core=" << testing::PrintToString(core) << " jokers=" << jokers
                   << " length=" << length << " previous=" << testing::PrintToString(previous);
        };
        SAME(VF::FillPairRun(length, core, jokers), Literal::FillPairRun(length, core, jokers));
        SAME(VF::FillTripleRun(length, core, jokers), Literal::FillTripleRun(length, core, jokers));
        SAME(VF::FillStraight(length, core, jokers), Literal::FillStraight(length, core, jokers));
        if (jokers <= 3 || gen.Chance(10)) {
            SAME(VF::FillTriplesWithPairs(core, previous, jokers),
                 Literal::FillTriplesWithPairs(core, previous, jokers));
        }
    }
}
