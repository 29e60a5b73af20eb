#include "game/GameRecordCodec.h"

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

#include <limits>

namespace GameRecordCodec {

namespace {

using Platform::ByteReader;
using Platform::ByteWriter;

constexpr size_t BidReservedSize = 1;
constexpr size_t TimeoutTrailerSize = 1;

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
// clang 14 does not deduce aggregate template arguments without a guide.
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

TDecodeResult Fail(TDecodeError error) {
    return {std::nullopt, error};
}

TDecodeResult Ok(TGameRecord record) {
    return {std::move(record), TDecodeError::Empty};
}

bool ValidSeat(uint8_t seat) {
    return seat < SeatCount;
}

TDecodeResult DecodePlay(uint8_t id, ByteReader &in) {
    if (in.Remaining() + 1 < PlayRecSize)
        return Fail(TDecodeError::Short);
    TGamePlayRec rec;
    rec.Id = id;
    rec.Seat = *in.ReadU8();
    rec.Cards = *in.ReadShortString(PlayCardsField);
    rec.Faces = *in.ReadShortString(PlayCardsField);
    if (!ValidSeat(rec.Seat))
        return Fail(TDecodeError::BadSeat);
    return Ok(std::move(rec));
}

TDecodeResult DecodeTimeoutPlay(ByteReader &in) {
    if (in.Remaining() + 1 < TimeoutPlayRecSize)
        return Fail(TDecodeError::Short);
    TGameTimeoutPlayRec rec;
    rec.Seat = *in.ReadU8();
    rec.Cards = *in.ReadShortString(PlayCardsField);
    if (!ValidSeat(rec.Seat))
        return Fail(TDecodeError::BadSeat);
    return Ok(std::move(rec));
}

TDecodeResult DecodeSeatOnly(uint8_t id, ByteReader &in, size_t size) {
    if (in.Remaining() + 1 < size)
        return Fail(TDecodeError::Short);
    const uint8_t seat = *in.ReadU8();
    if (!ValidSeat(seat))
        return Fail(TDecodeError::BadSeat);
    if (id == gmTimeoutPassed)
        return Ok(TGameTimeoutPassRec{seat});
    return Ok(TGameSeatRec{id, seat});
}

TDecodeResult DecodeCards(uint8_t id, ByteReader &in) {
    const auto seat = in.ReadU8();
    const auto length = in.ReadU8();
    if (!seat || !length)
        return Fail(TDecodeError::Short);
    auto cards = in.ReadText(*length);
    if (!cards)
        return Fail(TDecodeError::Short);
    if (!ValidSeat(*seat))
        return Fail(TDecodeError::BadSeat);
    return Ok(TGameCardsRec{id, *seat, std::move(*cards)});
}

TDecodeResult DecodeTrustee(ByteReader &in) {
    if (in.Remaining() + 1 < TrusteeRecSize)
        return Fail(TDecodeError::Short);
    const uint8_t seat = *in.ReadU8();
    const uint8_t on = *in.ReadU8();
    if (!ValidSeat(seat))
        return Fail(TDecodeError::BadSeat);
    return Ok(TGameTrusteeRec{seat, on != 0});
}

TDecodeResult DecodeBid(uint8_t id, ByteReader &in) {
    if (in.Remaining() + 1 < BidRecSize)
        return Fail(TDecodeError::Short);
    const uint8_t seat = *in.ReadU8();
    const int64_t points = *in.ReadI64LE();
    if (!ValidSeat(seat))
        return Fail(TDecodeError::BadSeat);
    if (points < std::numeric_limits<int32_t>::min() ||
        points > std::numeric_limits<int32_t>::max())
        return Fail(TDecodeError::BidOutOfRange);
    return Ok(TGameBidRec{id, seat, points});
}

TDecodeResult DecodeBiddingEnd(ByteReader &in) {
    if (in.Remaining() + 1 < BiddingEndRecSize)
        return Fail(TDecodeError::Short);
    const uint8_t seat = *in.ReadU8();
    const int64_t points = *in.ReadI64LE();
    if (!ValidSeat(seat))
        return Fail(TDecodeError::BadSeat);
    return Ok(TGameBiddingEndRec{seat, points});
}

TDecodeResult DecodeSeatOrder(ByteReader &in) {
    if (in.Remaining() + 1 < SeatOrderRecSize)
        return Fail(TDecodeError::Short);
    TGameSeatOrderRec rec;
    for (auto &pair : rec.Pairs) {
        pair.Seat = *in.ReadU8();
        pair.Place = *in.ReadU8();
        if (!ValidSeat(pair.Seat) || !ValidSeat(pair.Place))
            return Fail(TDecodeError::BadSeat);
    }
    return Ok(rec);
}

TDecodeResult DecodeHandResult(ByteReader &in) {
    if (in.Remaining() + 1 < HandResultRecSize)
        return Fail(TDecodeError::Short);
    TGameHandResultRec rec;
    for (auto &entry : rec.Entries) {
        entry.UserId = *in.ReadI64LE();
        entry.Value1 = *in.ReadI64LE();
        entry.Value2 = *in.ReadI64LE();
    }
    return Ok(rec);
}

} // namespace

TDecodeResult Decode(std::span<const uint8_t> record) {
    ByteReader in(record);
    const auto id = in.ReadU8();
    if (!id)
        return Fail(TDecodeError::Empty);
    switch (*id) {
    case gmPlay:
    case gmPlayed:
        return DecodePlay(*id, in);
    case gmTimeoutPlayed:
        return DecodeTimeoutPlay(in);
    case gmPass:
    case gmPassed:
    case gmBiddingStart:
        return DecodeSeatOnly(*id, in, SeatRecSize);
    case gmTimeoutPassed:
        return DecodeSeatOnly(*id, in, TimeoutPassRecSize);
    case gmBankerHand:
    case gmMarkCards:
        return DecodeCards(*id, in);
    case gmHandResult:
        return DecodeHandResult(in);
    case gmTrustee:
        return DecodeTrustee(in);
    case gmBid:
    case gmBidMade:
        return DecodeBid(*id, in);
    case gmSeatOrder:
        return DecodeSeatOrder(in);
    case gmBiddingEnd:
        return DecodeBiddingEnd(in);
    default:
        return Fail(TDecodeError::UnknownId);
    }
}

std::string Encode(const TGameRecord &record) {
    ByteWriter out;
    std::visit(
        Overloaded{
            [&](const TGamePlayRec &r) {
                out.U8(r.Id).U8(r.Seat);
                out.ShortString(r.Cards, PlayCardsField).ShortString(r.Faces, PlayCardsField);
            },
            [&](const TGameTimeoutPlayRec &r) {
                out.U8(gmTimeoutPlayed).U8(r.Seat).ShortString(r.Cards, PlayCardsField);
                out.Zeros(TimeoutTrailerSize);
            },
            [&](const TGameSeatRec &r) { out.U8(r.Id).U8(r.Seat); },
            [&](const TGameTimeoutPassRec &r) {
                out.U8(gmTimeoutPassed).U8(r.Seat).Zeros(TimeoutTrailerSize);
            },
            [&](const TGameCardsRec &r) {
                out.U8(r.Id).U8(r.Seat).ShortString(r.Cards, std::min<size_t>(r.Cards.size(), 255));
            },
            [&](const TGameTrusteeRec &r) { out.U8(gmTrustee).U8(r.Seat).U8(r.On ? 1 : 0); },
            [&](const TGameBidRec &r) {
                out.U8(r.Id).U8(r.Seat).I64LE(r.Points).Zeros(BidReservedSize);
            },
            [&](const TGameBiddingEndRec &r) { out.U8(gmBiddingEnd).U8(r.Seat).I64LE(r.Points); },
            [&](const TGameSeatOrderRec &r) {
                out.U8(gmSeatOrder);
                for (const auto &pair : r.Pairs)
                    out.U8(pair.Seat).U8(pair.Place);
            },
            [&](const TGameHandResultRec &r) {
                out.U8(gmHandResult);
                for (const auto &entry : r.Entries)
                    out.I64LE(entry.UserId).I64LE(entry.Value1).I64LE(entry.Value2);
                out.Zeros(HandResultBlockSize - SeatCount * HandResultEntrySize);
            },
        },
        record);
    return out.Take();
}

std::string EncodePlay(uint8_t seat, std::string_view cards, std::string_view faces) {
    return Encode(TGamePlayRec{gmPlay, seat, std::string(cards), std::string(faces)});
}

std::string EncodePass(uint8_t seat) {
    return Encode(TGameSeatRec{gmPass, seat});
}

std::string EncodeTrustee(uint8_t seat, bool on) {
    return Encode(TGameTrusteeRec{seat, on});
}

std::string EncodeBid(uint8_t seat, int64_t points) {
    return Encode(TGameBidRec{gmBid, seat, points});
}

} // namespace GameRecordCodec
