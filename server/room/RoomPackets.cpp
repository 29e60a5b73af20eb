#include "RoomPackets.h"

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

#include <algorithm>

namespace RoomPackets {

using Platform::ByteWriter;

namespace {

constexpr uint8_t TableKind = 3;
constexpr size_t NickNameSize = 20;
constexpr uint8_t ConfigurationId = 255;
constexpr size_t RosterEntrySize = 63;
constexpr size_t MaxRoster = 200;

} // namespace

std::string UserRecord(const Member &member) {
    ByteWriter out;
    std::string name = member.NickName.substr(0, NickNameSize);
    name.resize(NickNameSize, '\0');
    out.I64LE(member.UserId).Bytes(name).U16LE(member.Face).I32LE(member.Delay);
    out.I64LE(member.Score).U8(member.Seat).U8(member.Player ? 1 : 0);
    out.I32LE(member.Wins).I32LE(member.Losses).I32LE(member.Draws).I32LE(member.Escapes);
    out.I64LE(member.Gold).Zeros(24).I64LE(member.Beans);
    return out.Take();
}

std::string UserList(const std::vector<Member> &members) {
    ByteWriter out;
    const size_t count = std::min(members.size(), MaxRoster);
    out.U8(9).U32LE(static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i)
        out.Bytes(UserRecord(members[i]));
    return out.Take();
}

std::string UserEntered(const Member &member) {
    return "\x0A" + UserRecord(member);
}

std::string UserLeft(int64_t userId) {
    ByteWriter out;
    out.U8(12).I64LE(userId);
    return out.Take();
}

std::string SeatChanged(int64_t userId, uint8_t seat, bool player) {
    ByteWriter out;
    out.U8(14).I64LE(userId).U8(seat).U8(player ? 1 : 0).U8(1);
    return out.Take();
}

std::string Rights(int64_t userId, uint8_t level) {
    ByteWriter out;
    out.U8(8).I64LE(userId).U8(level);
    return out.Take();
}

std::string NetDelay(int64_t userId, int32_t delayMs) {
    ByteWriter out;
    out.U8(30).I64LE(userId).I32LE(delayMs);
    return out.Take();
}

std::string Challenge(const std::array<uint8_t, 16> &bytes) {
    ByteWriter out;
    out.U8(52).Bytes(std::string_view(reinterpret_cast<const char *>(bytes.data()), bytes.size()));
    return out.Take();
}

std::string Settlement(uint8_t phase, const std::vector<SettlementEntry> &entries) {
    ByteWriter out;
    const size_t count = std::min(entries.size(), MaxRoster);
    out.U8(16).U8(phase).U32LE(static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        const auto &entry = entries[i];
        out.I64LE(entry.UserId).I64LE(entry.ScoreChange).I64LE(entry.NewScore);
        out.I64LE(entry.BeanChange).I64LE(entry.NewBeans);
    }
    return out.Take();
}

std::string TableMessage(int64_t userId, uint8_t sub, std::string_view payload) {
    ByteWriter out;
    out.U8(TableKind).I64LE(userId).U8(sub).Bytes(payload);
    return out.Take();
}

std::string Configuration(const Rules &rules, const std::vector<Member> &roster) {
    ByteWriter block;
    block.I32LE(rules.RoundsRequired).I32LE(rules.ScoreLines).I32LE(rules.BeanLines);
    block.I32LE(0).I32LE(0).Zeros(12).I32LE(rules.MinPlayerCount).Zeros(4);
    block.U8(0).U8(0).U8(0).U8(0).U8(0);
    block.ShortString(rules.GoldName, 41).ShortString(rules.BeanName, 20);
    block.ShortString(rules.ScoreName, 19);
    ByteWriter record;
    record.U8(ConfigurationId).U8(0).I32LE(1).I32LE(0).I32LE(1).I32LE(0).U8(0);
    record.Bytes(block.Data()).U8(0);
    const size_t count = std::min(roster.size(), MaxRoster);
    record.I32LE(static_cast<int32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        ByteWriter entry;
        std::string name = roster[i].NickName.substr(0, NickNameSize);
        name.resize(NickNameSize, '\0');
        entry.I64LE(roster[i].UserId).Bytes(name).Zeros(4).U8(0).I32LE(roster[i].RoundsPlayed);
        entry.Zeros(RosterEntrySize - entry.Size());
        record.Bytes(entry.Data());
    }
    return TableMessage(0, 17, record.Data());
}

std::optional<Request> ReadRequest(std::string_view packet) {
    Platform::ByteReader in(packet.data(), packet.size());
    const auto kind = in.ReadU8();
    if (!kind)
        return std::nullopt;
    Request request;
    request.Kind = *kind;
    if (*kind == TableKind) {
        const auto id = in.ReadI64LE();
        const auto sub = in.ReadU8();
        if (!id || !sub)
            return std::nullopt;
        request.HeaderId = *id;
        request.Sub = *sub;
    }
    request.Payload = in.ReadRest();
    return request;
}

} // namespace RoomPackets
