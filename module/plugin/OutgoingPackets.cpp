#include "plugin/OutgoingPackets.h"

#include "platform/ByteWriter.h"
#include "plugin/PluginPackets.h"

namespace PluginPackets {

using Platform::ByteWriter;

std::string TableHeader(int64_t userId, uint8_t sub) {
    ByteWriter out;
    out.U8(Kind::Table).I64LE(userId).U8(sub);
    return out.Take();
}

std::string GameRecordPacket(int64_t me, std::string_view record) {
    return TableHeader(me, Sub::GameRecordOut).append(record);
}

std::string ExpelPacket(int64_t me, int64_t target, uint8_t phase, std::string_view reason) {
    ByteWriter out;
    out.Bytes(TableHeader(me, Sub::Expel))
        .I64LE(me)
        .I64LE(target)
        .U8(phase)
        .ShortString(reason, ExpelReasonSize);
    return out.Take();
}

std::string WatchPermissionPacket(int64_t me, int64_t target, bool allowed) {
    ByteWriter out;
    out.Bytes(TableHeader(me, Sub::WatchPermission)).I64LE(target).U8(allowed ? 1 : 0);
    return out.Take();
}

std::string TextPacket(int64_t me, uint8_t sub, std::string_view text) {
    return TableHeader(me, sub).append(text);
}

std::string AdminNoticePacket(int64_t me, std::string_view text) {
    ByteWriter out;
    out.Bytes(TableHeader(me, Sub::AdminNoticeOut)).I64LE(me).ShortString(text, AdminTextSize);
    return out.Take();
}

std::string MoodPacket(int64_t me, int64_t target, uint8_t seat, std::string_view mood) {
    ByteWriter out;
    out.Bytes(TableHeader(me, Sub::Mood))
        .I64LE(target)
        .I64LE(me)
        .U64LE(seat)
        .ShortString(mood, MoodSize);
    return out.Take();
}

std::string UserPacket(uint8_t kind, int64_t me) {
    ByteWriter out;
    out.U8(kind).I64LE(me);
    return out.Take();
}

std::string SeatRequestPacket(uint8_t seat, bool sit) {
    ByteWriter out;
    out.U8(Kind::SeatRequest).U8(seat).U8(sit ? 1 : 0);
    return out.Take();
}

std::string KickPacket(uint8_t type, int64_t target, std::string_view reason) {
    ByteWriter out;
    out.U8(Kind::Kick)
        .U8(type)
        .I64LE(target)
        .I32LE(static_cast<int32_t>(reason.size()))
        .Bytes(reason);
    return out.Take();
}

std::string AuthAnswerPacket(const std::array<uint8_t, 16> &answer) {
    ByteWriter out;
    out.U8(Kind::AuthAnswer)
        .Bytes(std::string_view(reinterpret_cast<const char *>(answer.data()), answer.size()));
    return out.Take();
}

} // namespace PluginPackets
