#pragma once
// The packets the module sends, byte for byte. Kind-3 packets start with the 10-byte
// header: kind 3, a user id (the local player unless said otherwise), the sub-kind.
//   3/1 game message      3/2, 3/3, 3/96, 3/148 header only
//   3/4 initiator (8) target (8) phase (1) reason ss40         (68 bytes)
//   3/33 target (8) allowed (1)                               (19 bytes)
//   3/66, 3/67 text       3/81 me (8) text ss255                (274 bytes)
//   3/112 target (8) me (8) seat (8) mood ss20                  (55 bytes)
//   3/145, 146, 147 header only, with the user the request is about
//   7 me (8)   11 me (8)   13 seat (1) sit (1)   18 type (1) target (8) length (4) reason
//   53 answer (16)

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace PluginPackets {

std::string TableHeader(int64_t userId, uint8_t sub);
std::string GameRecordPacket(int64_t me, std::string_view record);
std::string ExpelPacket(int64_t me, int64_t target, uint8_t phase, std::string_view reason);
std::string WatchPermissionPacket(int64_t me, int64_t target, bool allowed);
std::string TextPacket(int64_t me, uint8_t sub, std::string_view text);
std::string AdminNoticePacket(int64_t me, std::string_view text);
std::string MoodPacket(int64_t me, int64_t target, uint8_t seat, std::string_view mood);
std::string UserPacket(uint8_t kind, int64_t me);
std::string SeatRequestPacket(uint8_t seat, bool sit);
std::string KickPacket(uint8_t type, int64_t target, std::string_view reason);
std::string AuthAnswerPacket(const std::array<uint8_t, 16> &answer);

} // namespace PluginPackets
