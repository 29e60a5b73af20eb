#pragma once
// The frames between a hall and the game server. A frame on the wire is a 32-bit
// little-endian payload length followed by the payload; the payload's first byte is the
// frame type. Table packets carry the module's packets unchanged in both directions.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include <QByteArray>

namespace HallProto {

// A payload above this closes the connection: the largest legitimate frame is a user
// list of 200 records, far below it.
inline constexpr uint32_t MaxFramePayload = 64 * 1024;
inline constexpr size_t FrameLengthSize = 4;
inline constexpr size_t NickNameSize = 20;
inline constexpr size_t PasswordSize = 32;
// Seat of a table choice that asks to watch instead of playing.
inline constexpr uint8_t WatcherSeat = 0xFF;
inline constexpr uint8_t SeatCount = 4;

enum class FrameType : uint8_t {
    Login = 1,
    LoginResult = 2,
    TableChoice = 3,
    PacketToModule = 4,
    PacketFromModule = 5,
    HallNotice = 6,
    Error = 7,
};

enum class LoginStatus : uint8_t { Accepted = 0, BadPassword = 1, ServerFull = 2 };

enum class ErrorCode : uint16_t {
    Malformed = 1,
    NotLoggedIn = 2,
    NoSuchTable = 3,
    SeatTaken = 4,
    // Kicked or expelled: the table (or the server) is closed to the user for a while.
    Banned = 5,
};

struct LoginFrame {
    std::string NickName;
    std::string Password;
    bool operator==(const LoginFrame &) const = default;
};

struct LoginResultFrame {
    LoginStatus Status = LoginStatus::Accepted;
    int64_t UserId = 0;
    bool operator==(const LoginResultFrame &) const = default;
};

struct TableChoiceFrame {
    uint16_t Table = 0;
    uint8_t Seat = WatcherSeat;
    bool operator==(const TableChoiceFrame &) const = default;
};

// A module packet; the server sends PacketToModule, the hall PacketFromModule.
struct TablePacketFrame {
    FrameType Type = FrameType::PacketToModule;
    std::string Packet;
    bool operator==(const TablePacketFrame &) const = default;
};

struct HallNoticeFrame {
    std::string Text;
    bool operator==(const HallNoticeFrame &) const = default;
};

struct ErrorFrame {
    ErrorCode Code = ErrorCode::Malformed;
    std::string Text;
    bool operator==(const ErrorFrame &) const = default;
};

using HallFrame = std::variant<LoginFrame, LoginResultFrame, TableChoiceFrame, TablePacketFrame,
                               HallNoticeFrame, ErrorFrame>;

// Decodes one payload (without its length prefix); nullopt for anything malformed.
std::optional<HallFrame> DecodeFrame(std::span<const uint8_t> payload);
// The whole frame, length prefix included.
QByteArray EncodeFrame(const HallFrame &frame);

} // namespace HallProto
