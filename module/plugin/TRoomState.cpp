#include "plugin/TRoomState.h"

#include "common/TIniFile.h"

#include <algorithm>
#include <charconv>
#include <utility>

const STRU_PLUGIN_USERINFO *TRoomState::FindUser(int64_t userId) const {
    const auto found = std::find_if(m_users.begin(), m_users.end(),
                                    [userId](const auto &user) { return user.UserId == userId; });
    return found == m_users.end() ? nullptr : &*found;
}

STRU_PLUGIN_USERINFO *TRoomState::FindUser(int64_t userId) {
    return const_cast<STRU_PLUGIN_USERINFO *>(std::as_const(*this).FindUser(userId));
}

const STRU_PLUGIN_USERINFO *TRoomState::PlayerAtSeat(uint8_t seat, int64_t except) const {
    for (auto user = m_users.rbegin(); user != m_users.rend(); ++user)
        if (user->UserId != except && user->IsPlayer() && user->Seat == seat)
            return &*user;
    return nullptr;
}

void TRoomState::AddUser(const STRU_PLUGIN_USERINFO &record) {
    m_users.push_back(record);
}

bool TRoomState::MoveToDeparted(int64_t userId) {
    for (auto user = m_users.rbegin(); user != m_users.rend(); ++user) {
        if (user->UserId != userId)
            continue;
        m_departed[userId] = *user;
        m_users.erase(std::next(user).base());
        return true;
    }
    return false;
}

const STRU_PLUGIN_USERINFO *TRoomState::FindDeparted(int64_t userId) const {
    const auto found = m_departed.find(userId);
    return found == m_departed.end() ? nullptr : &found->second;
}

void TRoomState::Clear() {
    m_users.clear();
    m_departed.clear();
}

bool TRoomState::OnList(std::string_view list, int64_t userId) {
    const std::string whole = "," + std::string(list);
    return whole.find("," + std::to_string(userId) + ",") != std::string::npos;
}

size_t TRoomState::BlockSlot(int64_t userId) {
    // The signed remainder keeps negative ids apart from positive ones; fold it into
    // the table the same way for both.
    const int64_t slot = userId % static_cast<int64_t>(BlockSlots);
    return static_cast<size_t>(slot < 0 ? -slot : slot);
}

bool TRoomState::IsBlocked(int64_t userId) const {
    return userId != 0 && m_blocked[BlockSlot(userId)] == userId;
}

void TRoomState::SetBlocked(int64_t userId, bool blocked) {
    m_blocked[BlockSlot(userId)] = blocked ? userId : 0;
}

void TRoomState::LoadLevels(const TIniFile &settings) {
    static constexpr std::string_view Section = "Level";
    m_levels.clear();
    m_levelsFollowScore = settings.ReadBool(Section, "LevelRelateScore", true);
    // A count far beyond any real table of levels would only stall the start.
    const int count = std::min(settings.ReadInteger(Section, "LevelCount", 0), MaxLevels);
    for (int i = 1; i <= count; ++i) {
        const std::string prefix = "Level" + std::to_string(i);
        const std::string text = settings.ReadString(Section, prefix + "Score", "0");
        int64_t threshold = 0;
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + text.size(), threshold);
        if (error != std::errc() || end != text.data() + text.size())
            threshold = 0;
        if (i == 1)
            threshold = LowestLevelScore;
        m_levels.push_back({threshold, settings.ReadString(Section, prefix + "Name", "")});
    }
}

std::string TRoomState::LevelName(int64_t beans, int64_t score) const {
    const int64_t value = m_levelsFollowScore ? score : beans;
    std::string name;
    for (const auto &level : m_levels)
        if (level.Threshold <= value)
            name = level.Name;
    return name;
}
