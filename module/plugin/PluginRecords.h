#pragma once
// The fixed-size records of the room protocol: the 100-byte user record of kinds 9 and
// 10 and the 40-byte settlement entry of kind 16. All integers little-endian.

#include "platform/ByteReader.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// User record, 100 bytes:
//   0 user id (8)      8 nickname (20, zero-padded, no terminator when full)
//  28 face (2)        30 network delay (4)   34 score (8)   42 seat (1)   43 player flag (1)
//  44 wins (4)        48 losses (4)          52 draws (4)   56 escapes (4)
//  60 gold (8)        68 carried unchanged (24)             92 beans (8)
struct STRU_PLUGIN_USERINFO {
    static constexpr size_t Size = 100;
    static constexpr size_t NicknameSize = 20;
    // Seats are 0..3; a record naming another seat is refused whole, since the table
    // indexes its seats by it.
    static constexpr uint8_t SeatCount = 4;

    int64_t UserId = 0;
    std::array<char, NicknameSize> Nickname{};
    uint16_t Face = 0;
    int32_t NetDelay = 0;
    int64_t Score = 0;
    uint8_t Seat = 0;
    uint8_t Player = 0;
    int32_t Wins = 0;
    int32_t Losses = 0;
    int32_t Draws = 0;
    int32_t Escapes = 0;
    int64_t Gold = 0;
    std::array<uint8_t, 24> Reserved{};
    int64_t Beans = 0;

    static std::optional<STRU_PLUGIN_USERINFO> Read(Platform::ByteReader &reader);
    std::string Bytes() const;
    // The nickname field as stored: up to its first zero byte.
    std::string NicknameText() const;
    void SetNickname(std::string_view name);
    bool IsPlayer() const { return Player != 0; }

    friend bool operator==(const STRU_PLUGIN_USERINFO &, const STRU_PLUGIN_USERINFO &) = default;
};

// Settlement entry, 40 bytes: user id, score change, new score, bean change, new beans.
struct TSettlementEntry {
    static constexpr size_t Size = 40;

    int64_t UserId = 0;
    int64_t ScoreChange = 0;
    int64_t NewScore = 0;
    int64_t BeanChange = 0;
    int64_t NewBeans = 0;

    static std::optional<TSettlementEntry> Read(Platform::ByteReader &reader);
    std::string Bytes() const;

    friend bool operator==(const TSettlementEntry &, const TSettlementEntry &) = default;
};
