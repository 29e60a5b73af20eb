#pragma once
// The game records exchanged with the server through the hub's game-record channel:
// packed little-endian records whose first byte is the message id. Every inbound record
// is decoded into its typed struct before a handler sees it; a record shorter than its
// layout, a seat outside 0..3 or a bid outside 32 bits is rejected whole.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace GameRecordCodec {

enum TGameMsgId : uint8_t {
    gmPlay = 0,
    gmPlayed = 1,
    gmTimeoutPlayed = 2,
    gmPass = 3,
    gmPassed = 4,
    gmTimeoutPassed = 5,
    gmBankerHand = 6,
    gmHandResult = 7,
    gmTrustee = 8,
    gmBid = 9,
    gmBidMade = 16,
    gmMarkCards = 17,
    gmSeatOrder = 19,
    gmBiddingStart = 20,
    gmBiddingEnd = 21,
};

inline constexpr size_t SeatCount = 4;
inline constexpr size_t PlayCardsField = 27;
inline constexpr size_t PlayRecSize = 58;
inline constexpr size_t TimeoutPlayRecSize = 31;
inline constexpr size_t SeatRecSize = 2;
inline constexpr size_t TimeoutPassRecSize = 3;
inline constexpr size_t TrusteeRecSize = 3;
inline constexpr size_t BidRecSize = 11;
inline constexpr size_t BiddingEndRecSize = 10;
inline constexpr size_t SeatOrderRecSize = 9;
inline constexpr size_t HandResultBlockSize = 4800;
inline constexpr size_t HandResultRecSize = 1 + HandResultBlockSize;
inline constexpr size_t HandResultEntrySize = 24;
inline constexpr int64_t NoBid = -1;
inline constexpr int64_t MaxBid = 6;

// Ids 0 and 1: Id, Seat, Cards (short string[27]), Faces (short string[27]).
struct TGamePlayRec {
    uint8_t Id = gmPlay;
    uint8_t Seat = 0;
    std::string Cards;
    std::string Faces;
};
// Id 2: Id, Seat, Cards (short string[27]), one byte the client does not use.
struct TGameTimeoutPlayRec {
    uint8_t Seat = 0;
    std::string Cards;
};
// Ids 3, 4, 20: Id, Seat.
struct TGameSeatRec {
    uint8_t Id = gmPass;
    uint8_t Seat = 0;
};
// Id 5: Id, Seat, one byte the client does not use.
struct TGameTimeoutPassRec {
    uint8_t Seat = 0;
};
// Ids 6 and 17: Id, Seat, Cards (length byte and that many bytes, ending the record).
struct TGameCardsRec {
    uint8_t Id = gmBankerHand;
    uint8_t Seat = 0;
    std::string Cards;
};
// Id 8: Id, Seat, On (1 on, 0 off).
struct TGameTrusteeRec {
    uint8_t Seat = 0;
    bool On = false;
};
// Ids 9 and 16: Id, Seat, Points (i64, -1 = declined), Reserved (u8).
struct TGameBidRec {
    uint8_t Id = gmBid;
    uint8_t Seat = 0;
    int64_t Points = 0;
};
// Id 21: Id, Seat (the banker), Points (i64, the winning bid); a trailing byte may follow.
struct TGameBiddingEndRec {
    uint8_t Seat = 0;
    int64_t Points = 0;
};
// Id 19: Id, then four {Seat, Place} pairs.
struct TGameSeatOrderRec {
    struct Pair {
        uint8_t Seat = 0;
        uint8_t Place = 0;
    };
    std::array<Pair, SeatCount> Pairs{};
};
// Id 7: Id and a 4800-byte block whose first four 24-byte entries are
// {UserId (i64, 0 = empty), Value1 (i64), Value2 (i64)}.
struct TGameHandResultRec {
    struct Entry {
        int64_t UserId = 0;
        int64_t Value1 = 0;
        int64_t Value2 = 0;
    };
    std::array<Entry, SeatCount> Entries{};
};

using TGameRecord = std::variant<TGamePlayRec, TGameTimeoutPlayRec, TGameSeatRec,
                                 TGameTimeoutPassRec, TGameCardsRec, TGameTrusteeRec, TGameBidRec,
                                 TGameBiddingEndRec, TGameSeatOrderRec, TGameHandResultRec>;

// Why a record was not decoded.
enum class TDecodeError { Empty, UnknownId, Short, BadSeat, BidOutOfRange };

struct TDecodeResult {
    std::optional<TGameRecord> Record;
    TDecodeError Error = TDecodeError::Empty;
};

TDecodeResult Decode(std::span<const uint8_t> record);
// Builds the record byte for byte; text longer than its field is cut to the field.
std::string Encode(const TGameRecord &record);

std::string EncodePlay(uint8_t seat, std::string_view cards, std::string_view faces);
std::string EncodePass(uint8_t seat);
std::string EncodeTrustee(uint8_t seat, bool on);
std::string EncodeBid(uint8_t seat, int64_t points);

} // namespace GameRecordCodec
