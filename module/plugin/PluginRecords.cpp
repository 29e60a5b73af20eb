#include "plugin/PluginRecords.h"

#include "platform/ByteWriter.h"

#include <algorithm>
#include <cstring>

std::optional<STRU_PLUGIN_USERINFO> STRU_PLUGIN_USERINFO::Read(Platform::ByteReader &reader) {
    const auto bytes = reader.ReadBytes(Size);
    if (!bytes)
        return std::nullopt;
    Platform::ByteReader in(*bytes);
    STRU_PLUGIN_USERINFO user;
    user.UserId = *in.ReadI64LE();
    std::memcpy(user.Nickname.data(), in.ReadBytes(NicknameSize)->data(), NicknameSize);
    user.Face = *in.ReadU16LE();
    user.NetDelay = *in.ReadI32LE();
    user.Score = *in.ReadI64LE();
    user.Seat = *in.ReadU8();
    if (user.Seat >= SeatCount)
        return std::nullopt;
    user.Player = *in.ReadU8();
    user.Wins = *in.ReadI32LE();
    user.Losses = *in.ReadI32LE();
    user.Draws = *in.ReadI32LE();
    user.Escapes = *in.ReadI32LE();
    user.Gold = *in.ReadI64LE();
    const auto reserved = *in.ReadBytes(user.Reserved.size());
    std::copy(reserved.begin(), reserved.end(), user.Reserved.begin());
    user.Beans = *in.ReadI64LE();
    return user;
}

std::string STRU_PLUGIN_USERINFO::Bytes() const {
    Platform::ByteWriter out;
    out.I64LE(UserId)
        .Bytes(std::string_view(Nickname.data(), Nickname.size()))
        .U16LE(Face)
        .I32LE(NetDelay)
        .I64LE(Score)
        .U8(Seat)
        .U8(Player)
        .I32LE(Wins)
        .I32LE(Losses)
        .I32LE(Draws)
        .I32LE(Escapes)
        .I64LE(Gold)
        .Bytes(std::string_view(reinterpret_cast<const char *>(Reserved.data()), Reserved.size()))
        .I64LE(Beans);
    return out.Take();
}

std::string STRU_PLUGIN_USERINFO::NicknameText() const {
    const auto end = std::find(Nickname.begin(), Nickname.end(), '\0');
    return std::string(Nickname.begin(), end);
}

void STRU_PLUGIN_USERINFO::SetNickname(std::string_view name) {
    Nickname.fill('\0');
    std::copy_n(name.begin(), std::min(name.size(), Nickname.size()), Nickname.begin());
}

std::optional<TSettlementEntry> TSettlementEntry::Read(Platform::ByteReader &reader) {
    if (reader.Remaining() < Size)
        return std::nullopt;
    TSettlementEntry entry;
    entry.UserId = *reader.ReadI64LE();
    entry.ScoreChange = *reader.ReadI64LE();
    entry.NewScore = *reader.ReadI64LE();
    entry.BeanChange = *reader.ReadI64LE();
    entry.NewBeans = *reader.ReadI64LE();
    return entry;
}

std::string TSettlementEntry::Bytes() const {
    Platform::ByteWriter out;
    out.I64LE(UserId).I64LE(ScoreChange).I64LE(NewScore).I64LE(BeanChange).I64LE(NewBeans);
    return out.Take();
}
