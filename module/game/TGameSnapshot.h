#pragma once
// The table snapshot: 74 comma-separated fields describing the whole table. Number fields
// are hexadecimal digits without prefix or sign, negatives written as 32-bit two's
// complement; a number that does not parse reads as 0 and a missing field as empty. The
// field numbers are the constants below.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TGameSnapshot final {
public:
    static constexpr size_t FieldCount = 74;
    static constexpr size_t SeatCount = 4;
    // The value of the menu field that re-enables the player menu and unlocks the chat.
    static constexpr int32_t MenuRelease = 1;

    // Nothing when a seat field (5..8, 42..49) names a seat outside 0..3.
    static std::optional<TGameSnapshot> Parse(std::string_view text);
    // The field's number: "$" + text as hexadecimal, 32 bits sign-extended, 0 on failure.
    static int32_t ParseNumber(std::string_view field);

    using SeatCards = std::array<std::string, SeatCount>;
    using SeatFlags = std::array<bool, SeatCount>;
    using SeatNumbers = std::array<int32_t, SeatCount>;

    bool Running = false;
    bool Dealing = false;
    bool Bidding = false;
    bool TakingBottom = false;
    bool HandOver = false;
    uint8_t CurrentSeat = 0;
    uint8_t LastPlayer = 0;
    uint8_t Banker = 0;
    uint8_t TurnedCardSeat = 0;
    std::string Deck;
    SeatCards Hands;
    SeatCards TrickPlay;
    SeatCards TrickFaces;
    SeatCards PrevPlay;
    SeatCards PrevFaces;
    SeatCards SeatMarks;
    std::string BottomCards;
    std::string PlayToBeat;
    std::string TurnedCard;
    SeatFlags Ready{};
    std::array<uint8_t, SeatCount> SeatNo{};
    std::array<uint8_t, SeatCount> Place{};
    int32_t PlayTime = 0;
    int32_t Elapsed = 0;
    int32_t BidClock = 0;
    int32_t BottomClock = 0;
    int32_t BidTime = 0;
    SeatFlags SeatTrustee{};
    bool MarksValid = false;
    SeatFlags HasBid{};
    std::array<int64_t, SeatCount> SeatBid{};
    int64_t HighestBid = 0;
    int32_t MenuState = 0;
    int64_t ResultScale1 = 0;
    int64_t ResultScale2 = 0;
};
