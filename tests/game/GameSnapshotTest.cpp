#include "GameTestSupport.h"
#include "game/TGameSnapshot.h"

#include <gtest/gtest.h>

using GameTest::SnapshotText;

TEST(GameSnapshot, NumbersAreHexadecimalWithThirtyTwoBitSignExtension) {
    EXPECT_EQ(TGameSnapshot::ParseNumber("1E"), 30);
    EXPECT_EQ(TGameSnapshot::ParseNumber("ff"), 255);
    EXPECT_EQ(TGameSnapshot::ParseNumber("FFFFFFFF"), -1);
    EXPECT_EQ(TGameSnapshot::ParseNumber("80000000"), INT32_MIN);
    EXPECT_EQ(TGameSnapshot::ParseNumber("0000000001"), 1) << "leading zeros are free";
    for (const char *bad : {"-1", "", "$1", "1G", "100000000", " 1", "0x1"})
        EXPECT_EQ(TGameSnapshot::ParseNumber(bad), 0) << bad;
}

TEST(GameSnapshot, FieldsLandWhereTheyBelong) {
    SnapshotText t;
    t.Fields[0] = "1";
    t.Fields[2] = "1";
    t.Fields[5] = "3";
    t.Fields[6] = "2";
    t.Fields[7] = "1";
    t.Fields[8] = "3";
    t.Fields[10] = "ABCD";
    t.Fields[11] = "a";
    t.Fields[14] = "d";
    t.Fields[15] = "?";
    t.Fields[22] = "X";
    t.Fields[37] = "k";
    t.Fields[41] = "1";
    t.Fields[42] = "3";
    t.Fields[49] = "2";
    t.Fields[50] = "14";
    t.Fields[55] = "F";
    t.Fields[59] = "1";
    t.Fields[65] = "FFFFFFFF";
    t.Fields[66] = "-1";
    t.Fields[68] = "6";
    t.Fields[69] = "5";
    t.Fields[70] = "1";
    t.Fields[72] = "FFFFFFFE";
    t.Fields[73] = "64";
    const auto s = TGameSnapshot::Parse(t.Join());
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->Running);
    EXPECT_TRUE(s->Bidding);
    EXPECT_FALSE(s->Dealing);
    EXPECT_EQ(s->CurrentSeat, 3);
    EXPECT_EQ(s->LastPlayer, 2);
    EXPECT_EQ(s->Banker, 1);
    EXPECT_EQ(s->TurnedCardSeat, 3);
    EXPECT_EQ(s->Deck, "ABCD");
    EXPECT_EQ(s->Hands[0], "a");
    EXPECT_EQ(s->Hands[3], "d");
    EXPECT_EQ(s->TrickPlay[0], "?");
    EXPECT_EQ(s->TrickFaces[3], "X");
    EXPECT_EQ(s->TurnedCard, "k");
    EXPECT_TRUE(s->Ready[3]);
    EXPECT_EQ(s->SeatNo[0], 3);
    EXPECT_EQ(s->Place[3], 2);
    EXPECT_EQ(s->PlayTime, 20);
    EXPECT_EQ(s->BidTime, 15);
    EXPECT_TRUE(s->SeatTrustee[3]);
    EXPECT_EQ(s->SeatBid[0], -1) << "FFFFFFFF reads as no bid";
    EXPECT_EQ(s->SeatBid[1], 0) << "the text -1 does not parse";
    EXPECT_EQ(s->SeatBid[3], 6);
    EXPECT_EQ(s->HighestBid, 5);
    EXPECT_EQ(s->MenuState, TGameSnapshot::MenuRelease);
    EXPECT_EQ(s->ResultScale1, -2);
    EXPECT_EQ(s->ResultScale2, 100);
}

TEST(GameSnapshot, MissingFieldsReadEmptyAndZero) {
    SnapshotText t;
    t.Fields[0] = "1";
    t.Fields[11] = "ABC";
    t.Fields[50] = "1E";
    const auto s = TGameSnapshot::Parse(t.Join(12));
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->Running);
    EXPECT_EQ(s->Hands[0], "ABC");
    EXPECT_EQ(s->Hands[1], "");
    EXPECT_EQ(s->PlayTime, 0);
    EXPECT_EQ(s->SeatNo[3], 0);
    const auto empty = TGameSnapshot::Parse("");
    ASSERT_TRUE(empty);
    EXPECT_FALSE(empty->Running);
    EXPECT_EQ(empty->BottomCards, "");
}

TEST(GameSnapshot, FieldsBeyondTheLastAreIgnored) {
    SnapshotText t;
    t.Fields[73] = "7";
    const auto s = TGameSnapshot::Parse(t.Join() + ",99,AB");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->ResultScale2, 7);
}

TEST(GameSnapshot, SeatsOutsideTheTableRejectTheWholeSnapshot) {
    for (size_t field : {5, 6, 7, 8, 42, 45, 46, 49}) {
        SnapshotText t;
        t.Fields[field] = "4";
        EXPECT_FALSE(TGameSnapshot::Parse(t.Join())) << field;
        t.Fields[field] = "FFFFFFFF";
        EXPECT_FALSE(TGameSnapshot::Parse(t.Join())) << field;
    }
}
