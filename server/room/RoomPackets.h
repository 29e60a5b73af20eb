#pragma once
// The room packets the server sends to the modules at a table, byte for byte as the
// module reads them (all integers little-endian):
//   user record (100): id (8), nickname (20, zero-padded), face (2), delay (4), score (8),
//     seat (1), player (1), wins, losses, draws, escapes (4 each), gold (8), 24 unused, beans (8)
//   8 user (8) rights level (1)     9 count (4) records     10 record     12 user (8)
//   14 user (8) seat player valid (1 each)     30 user (8) delay in milliseconds (4)
//   16 phase (1) count (4) entries of user, score change, new score, bean change,
//     new beans (8 each)
//   3/17 with game message 255: the table configuration (rules block and roster)
//   52 sixteen bytes: a challenge the module answers at once with kind 53, timing the trip
// and reads the module's own room packets (kind 3 sub-kinds and kinds 7, 11, 13, 18, 53).

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace RoomPackets {

struct Member {
    int64_t UserId = 0;
    std::string NickName; // GBK
    uint16_t Face = 0;
    int32_t Delay = 0;
    int64_t Score = 0;
    uint8_t Seat = 0;
    bool Player = false;
    int32_t Wins = 0;
    int32_t Losses = 0;
    int32_t Draws = 0;
    int32_t Escapes = 0;
    int64_t Gold = 0;
    int64_t Beans = 0;
    int32_t RoundsPlayed = 0;
};

struct SettlementEntry {
    int64_t UserId = 0;
    int64_t ScoreChange = 0;
    int64_t NewScore = 0;
    int64_t BeanChange = 0;
    int64_t NewBeans = 0;
};

struct Rules {
    int32_t RoundsRequired = 0;
    int32_t ScoreLines = 1;
    int32_t BeanLines = 1;
    int32_t MinPlayerCount = 4;
    std::string GoldName;
    std::string BeanName;
    std::string ScoreName;
};

std::string UserRecord(const Member &member);
std::string UserList(const std::vector<Member> &members);
std::string UserEntered(const Member &member);
std::string UserLeft(int64_t userId);
std::string SeatChanged(int64_t userId, uint8_t seat, bool player);
std::string Rights(int64_t userId, uint8_t level);
std::string NetDelay(int64_t userId, int32_t delayMs);
std::string Challenge(const std::array<uint8_t, 16> &bytes);
std::string Settlement(uint8_t phase, const std::vector<SettlementEntry> &entries);
// Kind 3 sub-kind 17 carrying game message 255.
std::string Configuration(const Rules &rules, const std::vector<Member> &roster);
// A kind-3 packet: header with the user id and the sub-kind, then the payload.
std::string TableMessage(int64_t userId, uint8_t sub, std::string_view payload);

// What a module asks of the room.
struct Request {
    uint8_t Kind = 0;
    uint8_t Sub = 0;      // kind 3 only
    int64_t HeaderId = 0; // kind 3 only: the id in the header
    std::string Payload;  // kind 3: after the header; other kinds: after the kind byte
};
std::optional<Request> ReadRequest(std::string_view packet);

} // namespace RoomPackets
