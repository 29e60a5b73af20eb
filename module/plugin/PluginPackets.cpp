#include "plugin/PluginPackets.h"

#include <algorithm>

namespace PluginPackets {

namespace {

using Platform::ByteReader;

std::string TextUpToZero(std::span<const uint8_t> bytes, size_t maxBytes) {
    bytes = bytes.first(std::min(bytes.size(), maxBytes));
    const auto end = std::find(bytes.begin(), bytes.end(), uint8_t(0));
    return std::string(bytes.begin(), end);
}

std::optional<Packet> DecodeTable(ByteReader &in) {
    const auto sender = in.ReadI64LE();
    const auto sub = in.ReadU8();
    if (!sender || !sub)
        return std::nullopt;
    const auto payload = *in.ReadBytes(in.Remaining());
    ByteReader body(payload);
    switch (*sub) {
    case Sub::GameRecord:
        return GameRecord{*sender, payload};
    case Sub::Snapshot:
        return TableSnapshot{payload};
    case Sub::SeatReady: {
        const auto user = body.ReadI64LE();
        const auto ready = body.ReadU8();
        if (!user || !ready)
            return std::nullopt;
        return SeatReady{*user, *ready != 0};
    }
    case Sub::ExpelNotice: {
        const auto initiator = body.ReadI64LE();
        const auto target = body.ReadI64LE();
        const auto phase = body.ReadU8();
        const auto reason = body.ReadShortString(ExpelReasonSize);
        if (!initiator || !target || !phase || !reason)
            return std::nullopt;
        return ExpelNotice{*initiator, *target, *phase, *reason};
    }
    case Sub::SafeBox:
        // The hall's reply carries its result at offset 10.
        if (payload.size() < 11)
            return std::nullopt;
        return SafeBoxReply{payload};
    case Sub::WatchPermission: {
        const auto target = body.ReadI64LE();
        const auto allowed = body.ReadU8();
        if (!target || !allowed)
            return std::nullopt;
        return WatchPermission{*target, *allowed != 0};
    }
    case Sub::GameStart:
        return GameStart{};
    case Sub::GameOver:
        return GameOver{};
    case Sub::ServerText:
    case Sub::Broadcast:
    case Sub::Chat:
    case Sub::ColoredText:
    case Sub::AdminList:
    case Sub::MutedList:
    case Sub::List147:
        if (payload.empty())
            return Ignored{};
        return TableText{*sub, *sender, body.ReadRest()};
    case Sub::AdminNotice: {
        const auto user = body.ReadI64LE();
        const auto byte = body.ReadU8();
        const auto text = body.ReadShortString(AdminTextSize);
        if (!user || !byte || !text)
            return std::nullopt;
        return AdminNotice{*user, *byte, *text};
    }
    case Sub::Mood: {
        const auto target = body.ReadI64LE();
        const auto user = body.ReadI64LE();
        const auto seat = body.ReadU64LE();
        const auto mood = body.ReadShortString(MoodSize);
        if (!target || !user || !seat || !mood || *seat > 255)
            return std::nullopt;
        return Mood{*target, *user, static_cast<uint8_t>(*seat), *mood};
    }
    default:
        return Ignored{};
    }
}

std::optional<Packet> DecodeGameChannel(ByteReader &in) {
    const auto channel = in.ReadU8();
    const auto user = in.ReadI64LE();
    const auto value = in.ReadI32LE();
    if (!channel || !user || !value)
        return std::nullopt;
    if (*channel > 2)
        return Ignored{};
    GameChannel packet{*channel, *user, *value, {}};
    if (*channel == 2) {
        const auto length = in.ReadI32LE();
        if (!length || *length < 0)
            return std::nullopt;
        const auto data = in.ReadBytes(static_cast<size_t>(*length));
        if (!data)
            return std::nullopt;
        packet.Data = *data;
    }
    return packet;
}

std::optional<Packet> DecodeUserList(ByteReader &in) {
    const auto count = in.ReadU32LE();
    if (!count)
        return std::nullopt;
    UserList list;
    list.Overflow = *count > MaxListEntries;
    const size_t n = std::min<size_t>(*count, MaxListEntries);
    list.Records.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        auto record = STRU_PLUGIN_USERINFO::Read(in);
        if (!record)
            return std::nullopt;
        list.Records.push_back(*record);
    }
    return list;
}

std::optional<Packet> DecodeSettlement(ByteReader &in) {
    const auto phase = in.ReadU8();
    const auto count = in.ReadU32LE();
    if (!phase || !count)
        return std::nullopt;
    Settlement settlement{*phase, {}};
    const size_t n = std::min<size_t>(*count, MaxListEntries);
    settlement.Entries.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        auto entry = TSettlementEntry::Read(in);
        if (!entry)
            return std::nullopt;
        settlement.Entries.push_back(*entry);
    }
    return settlement;
}

std::optional<Packet> DecodeKickNotice(ByteReader &in) {
    const auto type = in.ReadU8();
    const auto op = in.ReadI64LE();
    const auto target = in.ReadI64LE();
    const auto length = in.ReadI32LE();
    if (!type || !op || !target || !length)
        return std::nullopt;
    std::string reason = TextUpToZero(*in.ReadBytes(in.Remaining()), KickReasonMax);
    reason.resize(std::min<size_t>(reason.size(), static_cast<size_t>(std::max(*length, 0))));
    return KickNotice{*type, *op, *target, reason};
}

} // namespace

std::optional<Packet> Decode(std::span<const uint8_t> packet) {
    ByteReader in(packet);
    const auto kind = in.ReadU8();
    if (!kind)
        return std::nullopt;
    switch (*kind) {
    case Kind::Table:
        return DecodeTable(in);
    case Kind::GameChannel:
        return DecodeGameChannel(in);
    case Kind::Rights: {
        const auto user = in.ReadI64LE();
        const auto level = in.ReadU8();
        if (!user || !level)
            return std::nullopt;
        return RightsChange{*user, *level};
    }
    case Kind::UserList:
        return DecodeUserList(in);
    case Kind::UserEnter: {
        auto record = STRU_PLUGIN_USERINFO::Read(in);
        if (!record)
            return std::nullopt;
        return UserEnter{*record};
    }
    case Kind::UserLeave: {
        const auto user = in.ReadI64LE();
        if (!user)
            return std::nullopt;
        return UserLeave{*user};
    }
    case Kind::SeatChange: {
        const auto user = in.ReadI64LE();
        const auto seat = in.ReadU8();
        const auto player = in.ReadU8();
        const auto valid = in.ReadU8();
        if (!user || !seat || !player || !valid || *seat >= STRU_PLUGIN_USERINFO::SeatCount)
            return std::nullopt;
        return SeatChange{*user, *seat, *player, *valid};
    }
    case Kind::Settlement:
        return DecodeSettlement(in);
    case Kind::KickNotice:
        return DecodeKickNotice(in);
    case Kind::NetDelay: {
        const auto user = in.ReadI64LE();
        const auto delay = in.ReadI32LE();
        if (!user || !delay)
            return std::nullopt;
        return NetDelay{*user, *delay};
    }
    case Kind::RelayText: {
        const auto sender = in.ReadI64LE();
        if (!sender)
            return std::nullopt;
        return RelayText{*sender, TextUpToZero(*in.ReadBytes(in.Remaining()), RelayTextMax)};
    }
    case Kind::AuthInfo:
        if (in.Remaining() < AuthBlockSize)
            return std::nullopt;
        return Ignored{};
    case Kind::AuthChallenge: {
        const auto block = in.ReadBytes(AuthBlockSize);
        if (!block)
            return std::nullopt;
        AuthChallenge challenge;
        std::copy(block->begin(), block->end(), challenge.Challenge.begin());
        return challenge;
    }
    default:
        return Ignored{};
    }
}

} // namespace PluginPackets
