#include "plugin/TTableConfiguration.h"

#include "platform/ByteReader.h"

#include <algorithm>

using Platform::ByteReader;

namespace {

TRulesBlock ReadRules(std::span<const uint8_t> bytes) {
    TRulesBlock rules;
    std::copy(bytes.begin(), bytes.end(), rules.Bytes.begin());
    ByteReader in(bytes);
    rules.RoundsRequired = *in.ReadI32LE();
    rules.ScoreLines = *in.ReadI32LE();
    rules.BeanLines = *in.ReadI32LE();
    rules.LeavePenaltyScore = *in.ReadI32LE();
    rules.LeavePenaltyBeans = *in.ReadI32LE();
    in.Seek(32);
    rules.MinPlayerCount = *in.ReadI32LE();
    in.Seek(40);
    rules.MatchFlag = *in.ReadU8() != 0;
    rules.HideNames = *in.ReadU8() != 0;
    rules.ChatLocked = *in.ReadU8() != 0;
    in.Seek(44);
    rules.RoundsRuleInPlay = *in.ReadU8() != 0;
    rules.GoldName = *in.ReadShortString(41);
    rules.BeanName = *in.ReadShortString(20);
    rules.ScoreName = *in.ReadShortString(19);
    return rules;
}

} // namespace

int64_t TRosterEntry::UserId() const {
    ByteReader in{std::span<const uint8_t>(Bytes)};
    return *in.ReadI64LE();
}

std::string TRosterEntry::Nickname() const {
    const auto begin = Bytes.begin() + 8;
    const auto end = std::find(begin, begin + 20, uint8_t(0));
    return std::string(begin, end);
}

int32_t TRosterEntry::RoundsPlayed() const {
    ByteReader in{std::span<const uint8_t>(Bytes)};
    in.Seek(33);
    return *in.ReadI32LE();
}

std::optional<TTableConfiguration> TTableConfiguration::Decode(std::span<const uint8_t> record) {
    if (record.size() < FixedSize || record[0] != RecordId)
        return std::nullopt;
    ByteReader in(record);
    in.Seek(2);
    TTableConfiguration config;
    config.ValueA = *in.ReadI32LE();
    config.ValueB = *in.ReadI32LE();
    config.ValueC = *in.ReadI32LE();
    config.ValueD = *in.ReadI32LE();
    config.ValueE = *in.ReadU8();
    config.Rules = ReadRules(*in.ReadBytes(TRulesBlock::Size));
    config.ValueF = *in.ReadU8();
    const int32_t count = *in.ReadI32LE();
    if (count < 0 || count > MaxRoster)
        return config;
    std::vector<TRosterEntry> roster(static_cast<size_t>(count));
    for (auto &entry : roster) {
        const auto bytes = in.ReadBytes(TRosterEntry::Size);
        if (!bytes)
            return std::nullopt;
        std::copy(bytes->begin(), bytes->end(), entry.Bytes.begin());
    }
    config.Roster = std::move(roster);
    return config;
}
