#include "HallFrame.h"

#include "platform/ByteReader.h"

#include <algorithm>

namespace HallProto {

namespace {

void PutU8(QByteArray &out, uint8_t value) {
    out.append(static_cast<char>(value));
}

template <typename T> void PutLE(QByteArray &out, T value) {
    auto bits = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i)
        PutU8(out, static_cast<uint8_t>(bits >> (8 * i)));
}

void PutShortString(QByteArray &out, const std::string &text, size_t fieldSize) {
    const size_t length = std::min(text.size(), fieldSize);
    PutU8(out, static_cast<uint8_t>(length));
    out.append(text.data(), static_cast<qsizetype>(length));
    out.append(static_cast<qsizetype>(fieldSize - length), '\0');
}

void PutRest(QByteArray &out, const std::string &text) {
    out.append(text.data(), static_cast<qsizetype>(text.size()));
}

// Login, hall to server: 0: type; 1: nickname, short string of 20;
// 22: password, short string of 32. 55 bytes.
std::optional<HallFrame> DecodeLogin(Platform::ByteReader &reader) {
    auto name = reader.ReadShortString(NickNameSize);
    auto password = reader.ReadShortString(PasswordSize);
    if (!name || !password || !reader.AtEnd() || name->empty())
        return std::nullopt;
    return LoginFrame{*name, *password};
}

// Login result, server to hall: 0: type; 1: status (1); 2: user id (i64). 10 bytes.
std::optional<HallFrame> DecodeLoginResult(Platform::ByteReader &reader) {
    auto status = reader.ReadU8();
    auto userId = reader.ReadI64LE();
    if (!status || !userId || !reader.AtEnd() ||
        *status > static_cast<uint8_t>(LoginStatus::ServerFull))
        return std::nullopt;
    return LoginResultFrame{static_cast<LoginStatus>(*status), *userId};
}

// Table choice, hall to server: 0: type; 1: table number (u16); 3: seat (0..3, or 255 to
// watch). 4 bytes.
std::optional<HallFrame> DecodeTableChoice(Platform::ByteReader &reader) {
    auto table = reader.ReadU16LE();
    auto seat = reader.ReadU8();
    if (!table || !seat || !reader.AtEnd() || (*seat >= SeatCount && *seat != WatcherSeat))
        return std::nullopt;
    return TableChoiceFrame{*table, *seat};
}

// Table packet, both directions: 0: type; 1: the module packet, the rest of the payload,
// at least its kind byte.
std::optional<HallFrame> DecodeTablePacket(FrameType type, Platform::ByteReader &reader) {
    if (reader.AtEnd())
        return std::nullopt;
    return TablePacketFrame{type, reader.ReadRest()};
}

// Hall notice, server to hall: 0: type; 1: GBK text, the rest of the payload.
std::optional<HallFrame> DecodeHallNotice(Platform::ByteReader &reader) {
    return HallNoticeFrame{reader.ReadRest()};
}

// Error, server to hall (the server closes the connection after it): 0: type;
// 1: error code (u16); 3: GBK text, the rest of the payload.
std::optional<HallFrame> DecodeError(Platform::ByteReader &reader) {
    auto code = reader.ReadU16LE();
    if (!code || *code < static_cast<uint16_t>(ErrorCode::Malformed) ||
        *code > static_cast<uint16_t>(ErrorCode::Banned))
        return std::nullopt;
    return ErrorFrame{static_cast<ErrorCode>(*code), reader.ReadRest()};
}

struct Encoder {
    QByteArray &out;
    void operator()(const LoginFrame &frame) const {
        PutU8(out, static_cast<uint8_t>(FrameType::Login));
        PutShortString(out, frame.NickName, NickNameSize);
        PutShortString(out, frame.Password, PasswordSize);
    }
    void operator()(const LoginResultFrame &frame) const {
        PutU8(out, static_cast<uint8_t>(FrameType::LoginResult));
        PutU8(out, static_cast<uint8_t>(frame.Status));
        PutLE(out, frame.UserId);
    }
    void operator()(const TableChoiceFrame &frame) const {
        PutU8(out, static_cast<uint8_t>(FrameType::TableChoice));
        PutLE(out, frame.Table);
        PutU8(out, frame.Seat);
    }
    void operator()(const TablePacketFrame &frame) const {
        PutU8(out, static_cast<uint8_t>(frame.Type));
        PutRest(out, frame.Packet);
    }
    void operator()(const HallNoticeFrame &frame) const {
        PutU8(out, static_cast<uint8_t>(FrameType::HallNotice));
        PutRest(out, frame.Text);
    }
    void operator()(const ErrorFrame &frame) const {
        PutU8(out, static_cast<uint8_t>(FrameType::Error));
        PutLE(out, static_cast<uint16_t>(frame.Code));
        PutRest(out, frame.Text);
    }
};

} // namespace

std::optional<HallFrame> DecodeFrame(std::span<const uint8_t> payload) {
    if (payload.size() > MaxFramePayload)
        return std::nullopt;
    Platform::ByteReader reader(payload);
    const auto type = reader.ReadU8();
    if (!type)
        return std::nullopt;
    switch (static_cast<FrameType>(*type)) {
    case FrameType::Login:
        return DecodeLogin(reader);
    case FrameType::LoginResult:
        return DecodeLoginResult(reader);
    case FrameType::TableChoice:
        return DecodeTableChoice(reader);
    case FrameType::PacketToModule:
    case FrameType::PacketFromModule:
        return DecodeTablePacket(static_cast<FrameType>(*type), reader);
    case FrameType::HallNotice:
        return DecodeHallNotice(reader);
    case FrameType::Error:
        return DecodeError(reader);
    }
    return std::nullopt;
}

QByteArray EncodeFrame(const HallFrame &frame) {
    QByteArray out(FrameLengthSize, '\0');
    std::visit(Encoder{out}, frame);
    const auto length = static_cast<uint32_t>(out.size() - FrameLengthSize);
    for (size_t i = 0; i < FrameLengthSize; ++i)
        out[static_cast<qsizetype>(i)] = static_cast<char>(length >> (8 * i));
    return out;
}

} // namespace HallProto
