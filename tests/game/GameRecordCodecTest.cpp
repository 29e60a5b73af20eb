#include "game/GameRecordCodec.h"

#include <gtest/gtest.h>

namespace RC = GameRecordCodec;

namespace {

RC::TDecodeResult DecodeText(const std::string &bytes) {
    return RC::Decode(std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()));
}

template <typename T> T DecodeAs(const std::string &bytes) {
    const auto result = DecodeText(bytes);
    EXPECT_TRUE(result.Record.has_value());
    return std::get<T>(*result.Record);
}

} // namespace

TEST(GameRecordCodec, OutboundRecordsHaveTheirFixedLayouts) {
    const std::string play = RC::EncodePlay(2, "AB", "A0");
    ASSERT_EQ(play.size(), RC::PlayRecSize);
    EXPECT_EQ(play.substr(0, 5), std::string("\x00\x02\x02"
                                             "AB",
                                             5));
    EXPECT_EQ(play.substr(30, 3), std::string("\x02"
                                              "A0"));
    EXPECT_EQ(play.substr(5, 25), std::string(25, '\0')) << "the field is zero-padded";

    EXPECT_EQ(RC::EncodePass(3), std::string("\x03\x03"));
    EXPECT_EQ(RC::EncodeTrustee(1, true), std::string("\x08\x01\x01"));
    EXPECT_EQ(RC::EncodeTrustee(1, false), std::string("\x08\x01\x00", 3));
    EXPECT_EQ(RC::EncodeBid(0, -1),
              std::string("\x09\x00", 2) + std::string(8, '\xFF') + std::string(1, '\0'));
    EXPECT_EQ(RC::EncodeBid(1, 3).size(), RC::BidRecSize);
}

TEST(GameRecordCodec, PlaysLongerThanTheFieldAreCutTo27) {
    const std::string cards(28, 'A');
    const auto rec = DecodeAs<RC::TGamePlayRec>(RC::EncodePlay(0, cards, cards));
    EXPECT_EQ(rec.Cards, std::string(27, 'A'));
    EXPECT_EQ(rec.Faces, std::string(27, 'A'));
}

TEST(GameRecordCodec, EveryRecordRoundTripsByteForByte) {
    RC::TGameSeatOrderRec order;
    order.Pairs = {{{3, 0}, {2, 1}, {1, 2}, {0, 3}}};
    RC::TGameHandResultRec result;
    result.Entries[0] = {77, -5, 15};
    result.Entries[3] = {80, 1, -1};
    const std::vector<RC::TGameRecord> records = {
        RC::TGamePlayRec{RC::gmPlayed, 3, "AAB", "AA0"},
        RC::TGameTimeoutPlayRec{1, "c"},
        RC::TGameSeatRec{RC::gmPassed, 2},
        RC::TGameSeatRec{RC::gmBiddingStart, 1},
        RC::TGameTimeoutPassRec{0},
        RC::TGameCardsRec{RC::gmBankerHand, 2, std::string(33, 'k')},
        RC::TGameCardsRec{RC::gmMarkCards, 1, "xy"},
        RC::TGameTrusteeRec{3, true},
        RC::TGameBidRec{RC::gmBidMade, 1, 6},
        RC::TGameBiddingEndRec{2, 4},
        order,
        result,
    };
    for (const auto &record : records) {
        const std::string bytes = RC::Encode(record);
        const auto decoded = DecodeText(bytes);
        ASSERT_TRUE(decoded.Record) << "index " << record.index();
        EXPECT_EQ(RC::Encode(*decoded.Record), bytes) << "index " << record.index();
    }
    EXPECT_EQ(RC::Encode(result).size(), RC::HandResultRecSize);
    const auto back = DecodeAs<RC::TGameHandResultRec>(RC::Encode(result));
    EXPECT_EQ(back.Entries[0].Value1, -5);
    EXPECT_EQ(back.Entries[3].UserId, 80);
}

TEST(GameRecordCodec, ShortRecordsAreRejected) {
    const std::vector<std::string> full = {
        RC::EncodePlay(1, "A", "A"),
        RC::Encode(RC::TGameTimeoutPlayRec{1, "A"}),
        RC::EncodePass(1),
        RC::Encode(RC::TGameTimeoutPassRec{1}),
        RC::EncodeTrustee(1, true),
        RC::EncodeBid(1, 2),
        RC::Encode(RC::TGameBiddingEndRec{1, 2}),
        RC::Encode(RC::TGameSeatOrderRec{}),
        RC::Encode(RC::TGameHandResultRec{}),
        RC::Encode(RC::TGameCardsRec{RC::gmBankerHand, 1, "ABC"}),
    };
    for (const auto &bytes : full) {
        ASSERT_TRUE(DecodeText(bytes).Record) << int(bytes[0]);
        const auto cut = DecodeText(bytes.substr(0, bytes.size() - 1));
        EXPECT_FALSE(cut.Record) << int(bytes[0]);
        EXPECT_EQ(cut.Error, RC::TDecodeError::Short) << int(bytes[0]);
    }
    EXPECT_EQ(DecodeText("").Error, RC::TDecodeError::Empty);
}

TEST(GameRecordCodec, SeatsOutsideTheTableAreRejected) {
    for (const auto &bytes : {RC::EncodePlay(4, "A", "A"), RC::EncodePass(200),
                              RC::EncodeTrustee(4, true), RC::EncodeBid(9, 1)}) {
        const auto result = DecodeText(bytes);
        EXPECT_FALSE(result.Record);
        EXPECT_EQ(result.Error, RC::TDecodeError::BadSeat);
    }
    RC::TGameSeatOrderRec order;
    order.Pairs[2].Place = 4;
    EXPECT_EQ(DecodeText(RC::Encode(order)).Error, RC::TDecodeError::BadSeat);
}

TEST(GameRecordCodec, BidsMustFitInThirtyTwoBits) {
    EXPECT_EQ(DecodeAs<RC::TGameBidRec>(RC::Encode(RC::TGameBidRec{RC::gmBidMade, 0, -1})).Points,
              -1);
    const auto tooBig = DecodeText(RC::Encode(RC::TGameBidRec{RC::gmBidMade, 0, 0x100000000}));
    EXPECT_EQ(tooBig.Error, RC::TDecodeError::BidOutOfRange);
    const auto ffff = DecodeText(RC::Encode(RC::TGameBidRec{RC::gmBidMade, 0, 0xFFFFFFFF}));
    EXPECT_EQ(ffff.Error, RC::TDecodeError::BidOutOfRange) << "FFFFFFFF is not -1 in 64 bits";
}

TEST(GameRecordCodec, LengthBytesNeverReachPastTheirField) {
    std::string play = RC::EncodePlay(0, "AB", "AB");
    play[2] = char(200);
    EXPECT_EQ(DecodeAs<RC::TGamePlayRec>(play).Cards.size(), RC::PlayCardsField);
    std::string hand = RC::Encode(RC::TGameCardsRec{RC::gmBankerHand, 0, "AB"});
    hand[2] = 3;
    EXPECT_EQ(DecodeText(hand).Error, RC::TDecodeError::Short);
    EXPECT_EQ(DecodeText(std::string("\x0A\x00", 2)).Error, RC::TDecodeError::UnknownId);
}
