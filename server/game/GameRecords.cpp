#include "GameRecords.h"

#include "platform/ByteReader.h"

#include <algorithm>
#include <cstdio>

namespace GameRecords {

namespace {

constexpr uint8_t SeatCount = 4;

void PutLE64(std::string &out, int64_t value) {
    const auto bits = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<char>(bits >> (8 * i)));
}

void PutShortString(std::string &out, std::string_view text, size_t fieldSize) {
    const size_t length = std::min(text.size(), fieldSize);
    out.push_back(static_cast<char>(length));
    out.append(text.substr(0, length));
    out.append(fieldSize - length, '\0');
}

std::string SeatRecord(TGameMsgId id, uint8_t seat) {
    return {static_cast<char>(id), static_cast<char>(seat)};
}

std::string CardsRecord(TGameMsgId id, uint8_t seat, std::string_view cards) {
    std::string out = SeatRecord(id, seat);
    PutShortString(out, cards, std::min<size_t>(cards.size(), UINT8_MAX));
    return out;
}

std::string PointsRecord(TGameMsgId id, uint8_t seat, int64_t points) {
    std::string out = SeatRecord(id, seat);
    PutLE64(out, points);
    out.push_back('\0');
    return out;
}

} // namespace

std::string Played(uint8_t seat, std::string_view cards, std::string_view faces) {
    std::string out = SeatRecord(gmPlayed, seat);
    PutShortString(out, cards, PlayCardsField);
    PutShortString(out, faces, PlayCardsField);
    return out;
}

std::string TimeoutPlayed(uint8_t seat, std::string_view cards) {
    std::string out = SeatRecord(gmTimeoutPlayed, seat);
    PutShortString(out, cards, PlayCardsField);
    out.push_back('\0');
    return out;
}

std::string Passed(uint8_t seat) {
    return SeatRecord(gmPassed, seat);
}

std::string TimeoutPassed(uint8_t seat) {
    return SeatRecord(gmTimeoutPassed, seat) + '\0';
}

std::string BankerHand(uint8_t seat, std::string_view hand) {
    return CardsRecord(gmBankerHand, seat, hand);
}

std::string MarkCards(uint8_t seat, std::string_view cards) {
    return CardsRecord(gmMarkCards, seat, cards);
}

std::string Trustee(uint8_t seat, bool on) {
    return SeatRecord(gmTrustee, seat) + static_cast<char>(on ? 1 : 0);
}

std::string BidMade(uint8_t seat, int64_t points) {
    return PointsRecord(gmBidMade, seat, points);
}

std::string SeatOrder(const std::array<uint8_t, 4> &places) {
    std::string out(1, static_cast<char>(gmSeatOrder));
    for (uint8_t seat = 0; seat < SeatCount; ++seat) {
        out.push_back(static_cast<char>(seat));
        out.push_back(static_cast<char>(places[seat]));
    }
    return out;
}

std::string BiddingStart(uint8_t seat) {
    return SeatRecord(gmBiddingStart, seat);
}

std::string BiddingEnd(uint8_t seat, int64_t points) {
    return PointsRecord(gmBiddingEnd, seat, points);
}

std::string HandResult(const std::array<ResultEntry, 4> &entries) {
    std::string out(1, static_cast<char>(gmHandResult));
    for (const ResultEntry &entry : entries) {
        PutLE64(out, entry.UserId);
        PutLE64(out, entry.Value1);
        PutLE64(out, entry.Value2);
    }
    out.append(HandResultBlockSize - entries.size() * HandResultEntrySize, '\0');
    return out;
}

// Client records: 0: id; 1: seat (0..3); then by id —
// gmPlay (58 bytes): 2: cards, short string[27]; 30: faces, short string[27];
// gmPass (2 bytes): nothing more;
// gmBid (11 bytes): 2: points (i64, 1..6 or -1); 10: reserved;
// gmTrustee (3 bytes): 2: on (0/1).
std::optional<ClientRecord> DecodeClientRecord(std::span<const uint8_t> record) {
    Platform::ByteReader reader(record);
    const auto id = reader.ReadU8();
    const auto seat = reader.ReadU8();
    if (!id || !seat || *seat >= SeatCount)
        return std::nullopt;
    switch (*id) {
    case gmPlay: {
        auto cards = reader.ReadShortString(PlayCardsField);
        auto faces = reader.ReadShortString(PlayCardsField);
        if (!cards || !faces)
            return std::nullopt;
        return PlayRequest{*seat, std::move(*cards), std::move(*faces)};
    }
    case gmPass:
        return PassRequest{*seat};
    case gmBid: {
        const auto points = reader.ReadI64LE();
        if (!points || !reader.Skip(1))
            return std::nullopt;
        return BidRequest{*seat, *points};
    }
    case gmTrustee: {
        const auto on = reader.ReadU8();
        if (!on)
            return std::nullopt;
        return TrusteeRequest{*seat, *on != 0};
    }
    default:
        return std::nullopt;
    }
}

void SnapshotWriter::Separate() {
    if (m_fields++ > 0)
        m_text.push_back(',');
}

// Hexadecimal without prefix; negatives as their 32-bit two's complement, which the
// client sign-extends back.
void SnapshotWriter::Number(int64_t value) {
    Separate();
    char digits[17];
    std::snprintf(digits, sizeof digits, "%X", static_cast<uint32_t>(value));
    m_text += digits;
}

void SnapshotWriter::Cards(std::string_view cards) {
    Separate();
    m_text += cards;
}

std::string SnapshotWriter::Finish() const {
    return m_fields == SnapshotFieldCount ? m_text : std::string();
}

} // namespace GameRecords
