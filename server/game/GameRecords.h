#pragma once
// Encoders of the game records the server sends to the table (hub sub-kind 17) and of the
// table snapshot text (sub-kind 18), byte for byte as the game client reads them, and the
// decoder of the records a client sends.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace GameRecords {

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

inline constexpr size_t PlayCardsField = 27;
inline constexpr size_t PlayRecSize = 58;
inline constexpr size_t TimeoutPlayRecSize = 31;
inline constexpr size_t BidRecSize = 11;
inline constexpr size_t HandResultBlockSize = 4800;
inline constexpr size_t HandResultEntrySize = 24;
inline constexpr size_t SnapshotFieldCount = 74;
inline constexpr int64_t NoBid = -1;
inline constexpr int64_t MinBid = 1;
inline constexpr int64_t MaxBid = 6;

struct ResultEntry {
    int64_t UserId = 0;
    int64_t Value1 = 0;
    int64_t Value2 = 0;
};

std::string Played(uint8_t seat, std::string_view cards, std::string_view faces);
std::string TimeoutPlayed(uint8_t seat, std::string_view cards);
std::string Passed(uint8_t seat);
std::string TimeoutPassed(uint8_t seat);
std::string BankerHand(uint8_t seat, std::string_view hand);
std::string MarkCards(uint8_t seat, std::string_view cards);
std::string Trustee(uint8_t seat, bool on);
std::string BidMade(uint8_t seat, int64_t points);
std::string SeatOrder(const std::array<uint8_t, 4> &places);
std::string BiddingStart(uint8_t seat);
std::string BiddingEnd(uint8_t seat, int64_t points);
std::string HandResult(const std::array<ResultEntry, 4> &entries);

// What a client may send.
struct PlayRequest {
    uint8_t Seat = 0;
    std::string Cards;
    std::string Faces;
};
struct PassRequest {
    uint8_t Seat = 0;
};
struct BidRequest {
    uint8_t Seat = 0;
    int64_t Points = 0;
};
struct TrusteeRequest {
    uint8_t Seat = 0;
    bool On = false;
};
using ClientRecord = std::variant<PlayRequest, PassRequest, BidRequest, TrusteeRequest>;

// Refuses short records, unknown ids and seats outside 0..3; trailing bytes are allowed,
// as the client pads some records.
std::optional<ClientRecord> DecodeClientRecord(std::span<const uint8_t> record);

// The snapshot's fields in order; Number writes what the client parses back.
class SnapshotWriter final {
public:
    void Number(int64_t value);
    void Flag(bool value) { Number(value ? 1 : 0); }
    void Cards(std::string_view cards);
    // Exactly SnapshotFieldCount fields, or an empty string when the count is off.
    std::string Finish() const;

private:
    void Separate();

    std::string m_text;
    size_t m_fields = 0;
};

} // namespace GameRecords
