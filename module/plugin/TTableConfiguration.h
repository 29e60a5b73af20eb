#pragma once
// The table configuration the server sends as game message 255 (kind 3 sub-kind 17):
//     0 255                   1 not read            2 values A, B, C, D (4 each)
//    18 value E (1)          19 rules block (128)  147 value F (1)
//   148 roster count n (4, signed)                 152 n roster entries of 63 bytes
// Rules block: 0 rounds required, 4 score lines, 8 bean lines, 12 leaving penalty in
// score, 16 leaving penalty in beans (4 each); 32 minimum player count (4); 40 match
// flag, 41 hide names, 42 chat locked, 44 rounds rule during play (1 each); 45 gold
// name ss41, 87 bean name ss20, 108 score name ss19.
// Roster entry: 0 user id (8), 8 nickname (20), 32 out-of-count flag (1), 33 rounds
// played (4, signed); the other bytes are the server's own.
// A roster count outside 0..200 applies everything but the roster; a count within it
// that the record does not hold rejects the record.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct TRulesBlock {
    static constexpr size_t Size = 128;

    int32_t RoundsRequired = 0;
    int32_t ScoreLines = 0;
    int32_t BeanLines = 0;
    int32_t LeavePenaltyScore = 0;
    int32_t LeavePenaltyBeans = 0;
    int32_t MinPlayerCount = 0;
    bool MatchFlag = false;
    bool HideNames = false;
    bool ChatLocked = false;
    bool RoundsRuleInPlay = false;
    std::string GoldName;
    std::string BeanName;
    std::string ScoreName;
    std::array<uint8_t, Size> Bytes{};
};

struct TRosterEntry {
    static constexpr size_t Size = 63;

    std::array<uint8_t, Size> Bytes{};

    int64_t UserId() const;
    // The nickname field up to its first zero byte.
    std::string Nickname() const;
    bool OutOfCount() const { return Bytes[32] != 0; }
    int32_t RoundsPlayed() const;
};

struct TTableConfiguration {
    static constexpr uint8_t RecordId = 255;
    static constexpr size_t FixedSize = 152;
    static constexpr int32_t MaxRoster = 200;

    int32_t ValueA = 0;
    int32_t ValueB = 0;
    int32_t ValueC = 0;
    int32_t ValueD = 0;
    uint8_t ValueE = 0;
    TRulesBlock Rules;
    uint8_t ValueF = 0;
    // Absent when the count was outside 0..200.
    std::optional<std::vector<TRosterEntry>> Roster;

    static std::optional<TTableConfiguration> Decode(std::span<const uint8_t> record);
};
