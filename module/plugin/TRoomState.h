#pragma once
// Who is at the table: the current users in order of arrival, the records of those who
// left, the local player's own seat and rights, the server's id lists, the blocked
// senders and the level table.

#include "plugin/PluginRecords.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class TIniFile;

class TRoomState {
public:
    static constexpr size_t BlockSlots = 200;
    // Level 1's threshold, whatever the settings file says.
    static constexpr int64_t LowestLevelScore = -2147483647;
    static constexpr int MaxLevels = 10000;

    struct TLevel {
        int64_t Threshold = 0;
        std::string Name;
    };

    const std::vector<STRU_PLUGIN_USERINFO> &Users() const { return m_users; }
    const STRU_PLUGIN_USERINFO *FindUser(int64_t userId) const;
    STRU_PLUGIN_USERINFO *FindUser(int64_t userId);
    // The newest current user other than `except` sitting at `seat` as a player.
    const STRU_PLUGIN_USERINFO *PlayerAtSeat(uint8_t seat, int64_t except) const;
    void AddUser(const STRU_PLUGIN_USERINFO &record);
    // Moves a current user's record to the departed users; false when not current.
    bool MoveToDeparted(int64_t userId);
    const STRU_PLUGIN_USERINFO *FindDeparted(int64_t userId) const;
    void Clear();

    int64_t OwnUserId = 0;
    uint8_t OwnSeat = 0;
    bool OwnPlayer = false;
    uint8_t OwnRights = 0;

    std::string AdminIds;
    std::string MutedIds;
    std::string List147;
    // An id list is decimal ids each followed by a comma; only whole elements match.
    static bool OnList(std::string_view list, int64_t userId);

    // The blocked senders: one slot per id's signed remainder by 200.
    bool IsBlocked(int64_t userId) const;
    void SetBlocked(int64_t userId, bool blocked);

    void LoadLevels(const TIniFile &settings);
    const std::vector<TLevel> &Levels() const { return m_levels; }
    bool LevelsFollowScore() const { return m_levelsFollowScore; }
    // The name of the last level (in file order) whose threshold is at most the score
    // or the beans, as the table says; empty when none.
    std::string LevelName(int64_t beans, int64_t score) const;

private:
    static size_t BlockSlot(int64_t userId);

    std::vector<STRU_PLUGIN_USERINFO> m_users;
    std::map<int64_t, STRU_PLUGIN_USERINFO> m_departed;
    std::array<int64_t, BlockSlots> m_blocked{};
    std::vector<TLevel> m_levels;
    bool m_levelsFollowScore = true;
};
