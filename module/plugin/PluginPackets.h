#pragma once
// The packets the game server sends to a table, decoded into typed values before any
// handler sees them. Byte 0 is the kind; kind 3 carries a 10-byte header (kind, the
// sender's user id, sub-kind) before its payload. A packet shorter than its kind's
// fixed layout, with a count announcing more entries than it holds, or with a length
// field past its end decodes to nothing and is dropped whole.
//
// Layouts (offsets from the packet start; for kind 3 from the payload start):
//   3/17 game message (rest)            3/18 table snapshot (rest)
//   3/19 user (8) ready (1)             3/20 initiator (8) target (8) phase (1) reason ss40
//   3/21 operation (1) direction (1) .. result at 10 (1)
//   3/33 target (8) allowed (1)         3/49, 3/50 nothing
//   3/65, 66, 67, 73, 145, 146, 147 rest text, ignored when empty
//   3/82 user (8) byte (1) text ss255   3/112 target (8) user (8) seat (8, <= 255) mood ss20
//   4  channel (1) user (8) value (4); channel 2: length (4) data (length)
//   8  user (8) rights (1)              9  count (4) records (100 each, at most 200 read)
//   10 record (100)                     12 user (8)
//   14 user (8) seat (1) player (1) valid (1)
//   16 phase (1) count (4) entries (40 each, at most 200 read)
//   19 type (1) operator (8) target (8) reason length (4) reason (to the first zero, <= 200)
//   30 user (8) delay (4)               31 sender or kind (8) text (to the first zero, <= 200)
//   51, 52 sixteen bytes
// ("ssN" is a short string: a length byte and an N-byte field.)

#include "plugin/PluginRecords.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace PluginPackets {

namespace Kind {
constexpr uint8_t Table = 3;
constexpr uint8_t GameChannel = 4;
constexpr uint8_t ConfigAck = 7;
constexpr uint8_t Rights = 8;
constexpr uint8_t UserList = 9;
constexpr uint8_t UserEnter = 10;
constexpr uint8_t Leave = 11;
constexpr uint8_t UserLeave = 12;
constexpr uint8_t SeatRequest = 13;
constexpr uint8_t SeatChange = 14;
constexpr uint8_t Settlement = 16;
constexpr uint8_t Kick = 18;
constexpr uint8_t KickNotice = 19;
constexpr uint8_t NetDelay = 30;
constexpr uint8_t RelayText = 31;
constexpr uint8_t AuthInfo = 51;
constexpr uint8_t AuthChallenge = 52;
constexpr uint8_t AuthAnswer = 53;
} // namespace Kind

namespace Sub {
constexpr uint8_t GameRecordOut = 1;
constexpr uint8_t TableStateRequest = 2;
constexpr uint8_t Ready = 3;
constexpr uint8_t Expel = 4;
constexpr uint8_t GameRecord = 17;
constexpr uint8_t Snapshot = 18;
constexpr uint8_t SeatReady = 19;
constexpr uint8_t ExpelNotice = 20;
constexpr uint8_t SafeBox = 21;
constexpr uint8_t WatchPermission = 33;
constexpr uint8_t GameStart = 49;
constexpr uint8_t GameOver = 50;
constexpr uint8_t ServerText = 65;
constexpr uint8_t Broadcast = 66;
constexpr uint8_t Chat = 67;
constexpr uint8_t ColoredText = 73;
constexpr uint8_t AdminNoticeOut = 81;
constexpr uint8_t AdminNotice = 82;
constexpr uint8_t LeaveSeat = 96;
constexpr uint8_t Mood = 112;
constexpr uint8_t AdminList = 145;
constexpr uint8_t MutedList = 146;
constexpr uint8_t List147 = 147;
constexpr uint8_t ChatPermit = 148;
} // namespace Sub

constexpr size_t TableHeaderSize = 10;
constexpr size_t MaxListEntries = 200;
constexpr size_t ExpelReasonSize = 40;
constexpr size_t AdminTextSize = 255;
constexpr size_t MoodSize = 20;
constexpr size_t RelayTextMax = 200;
constexpr size_t KickReasonMax = 200;
constexpr size_t AuthBlockSize = 16;

struct GameRecord {
    int64_t Sender = 0;
    std::span<const uint8_t> Payload;
};
struct TableSnapshot {
    std::span<const uint8_t> Payload;
};
struct SeatReady {
    int64_t UserId = 0;
    bool Ready = false;
};
struct ExpelNotice {
    int64_t Initiator = 0;
    int64_t Target = 0;
    uint8_t Phase = 0;
    std::string Reason;
};
struct SafeBoxReply {
    std::span<const uint8_t> Payload;
};
struct WatchPermission {
    int64_t Target = 0;
    bool Allowed = false;
};
struct GameStart {};
struct GameOver {};
// Sub-kinds 65, 66, 67, 73, 145, 146 and 147: a text running to the end of the packet.
struct TableText {
    uint8_t Sub = 0;
    int64_t Sender = 0;
    std::string Text;
};
struct AdminNotice {
    int64_t UserId = 0;
    uint8_t Byte = 0;
    std::string Text;
};
struct Mood {
    int64_t Target = 0;
    int64_t UserId = 0;
    uint8_t Seat = 0;
    std::string Text;
};
struct GameChannel {
    uint8_t Channel = 0;
    int64_t UserId = 0;
    int32_t Value = 0;
    std::span<const uint8_t> Data;
};
struct RightsChange {
    int64_t UserId = 0;
    uint8_t Level = 0;
};
struct UserList {
    std::vector<STRU_PLUGIN_USERINFO> Records;
    // The count announced more than the 200 records a list may hold.
    bool Overflow = false;
};
struct UserEnter {
    STRU_PLUGIN_USERINFO Record;
};
struct UserLeave {
    int64_t UserId = 0;
};
struct SeatChange {
    int64_t UserId = 0;
    uint8_t Seat = 0;
    uint8_t Player = 0;
    uint8_t Valid = 0;
};
struct Settlement {
    uint8_t Phase = 0;
    std::vector<TSettlementEntry> Entries;
};
struct KickNotice {
    uint8_t Type = 0;
    int64_t Operator = 0;
    int64_t Target = 0;
    std::string Reason;
};
struct NetDelay {
    int64_t UserId = 0;
    int32_t Delay = 0;
};
struct RelayText {
    int64_t SenderOrKind = 0;
    std::string Text;
};
struct AuthChallenge {
    std::array<uint8_t, AuthBlockSize> Challenge{};
};
// A well-formed packet that asks for nothing: unknown kinds and sub-kinds, kind 51,
// empty texts, unknown game channels.
struct Ignored {};

using Packet =
    std::variant<Ignored, GameRecord, TableSnapshot, SeatReady, ExpelNotice, SafeBoxReply,
                 WatchPermission, GameStart, GameOver, TableText, AdminNotice, Mood, GameChannel,
                 RightsChange, UserList, UserEnter, UserLeave, SeatChange, Settlement, KickNotice,
                 NetDelay, RelayText, AuthChallenge>;

// Nothing for a malformed packet. Spans in the result point into `packet`.
std::optional<Packet> Decode(std::span<const uint8_t> packet);

} // namespace PluginPackets
