#include "TableRoom.h"

#include "platform/ByteReader.h"

#include <algorithm>
#include <utility>

namespace {

// Kind-3 sub-kinds the room answers.
constexpr uint8_t SubWatchPermission = 33;
constexpr uint8_t SubBroadcast = 66;
constexpr uint8_t SubChat = 67;
constexpr uint8_t SubLeaveSeat = 96;
constexpr uint8_t SubMood = 112;
constexpr uint8_t SubAdminList = 145;
constexpr uint8_t SubMutedList = 146;
constexpr uint8_t SubList147 = 147;
constexpr uint8_t SubChatPermit = 148;
// Other kinds.
constexpr uint8_t KindConfigAck = 7;
constexpr uint8_t KindLeave = 11;
constexpr uint8_t KindSeatRequest = 13;
constexpr uint8_t KindTable = 3;

constexpr size_t MaxChatBytes = 200;

bool OnList(const std::string &list, int64_t userId) {
    return ("," + list).find("," + std::to_string(userId) + ",") != std::string::npos;
}

} // namespace

TableRoom::TableRoom(RoomPackets::Rules rules)
    : m_rules(std::move(rules)) {}

RoomPackets::Member *TableRoom::FindMember(int64_t userId) {
    const auto found = std::find_if(m_members.begin(), m_members.end(),
                                    [userId](const auto &m) { return m.UserId == userId; });
    return found == m_members.end() ? nullptr : &*found;
}

const RoomPackets::Member *TableRoom::Find(int64_t userId) const {
    return const_cast<TableRoom *>(this)->FindMember(userId);
}

std::vector<RoomPackets::Member> TableRoom::Roster() const {
    std::vector<RoomPackets::Member> roster;
    for (const auto &member : m_members)
        if (member.Player)
            roster.push_back(member);
    return roster;
}

void TableRoom::SendConfiguration(int64_t target) {
    m_packets.push_back({target, RoomPackets::Configuration(m_rules, Roster())});
}

void TableRoom::Join(const RoomPackets::Member &member) {
    if (FindMember(member.UserId)) {
        // Coming back: the seat is kept; the user is told the room again.
        m_packets.push_back({member.UserId, RoomPackets::UserList(m_members)});
        SendConfiguration(member.UserId);
        return;
    }
    m_members.push_back(member);
    SendConfiguration(0);
    for (const auto &other : m_members)
        if (other.UserId != member.UserId)
            m_packets.push_back({other.UserId, RoomPackets::UserEntered(member)});
    m_packets.push_back({member.UserId, RoomPackets::UserList(m_members)});
}

void TableRoom::Leave(int64_t userId) {
    const auto found = std::find_if(m_members.begin(), m_members.end(),
                                    [userId](const auto &m) { return m.UserId == userId; });
    if (found == m_members.end())
        return;
    m_members.erase(found);
    ToAll(RoomPackets::UserLeft(userId));
}

void TableRoom::Seat(int64_t userId, uint8_t seat, bool player) {
    auto *member = FindMember(userId);
    if (!member)
        return;
    member->Seat = seat;
    member->Player = player;
    ToAll(RoomPackets::SeatChanged(userId, seat, player));
}

bool TableRoom::Handle(int64_t userId, const RoomPackets::Request &request) {
    const auto *member = Find(userId);
    if (!member)
        return false;
    if (request.Kind == KindConfigAck)
        return true;
    if (request.Kind == KindLeave) {
        Leave(userId);
        return true;
    }
    if (request.Kind == KindSeatRequest)
        return false; // the server decides seats with the game table
    if (request.Kind != KindTable)
        return false;
    switch (request.Sub) {
    case SubChat:
        if (OnList(m_mutedIds, userId) || request.Payload.empty())
            return true;
        ToAll(RoomPackets::TableMessage(userId, SubChat, request.Payload.substr(0, MaxChatBytes)));
        return true;
    case SubBroadcast:
        if (!request.Payload.empty() && !OnList(m_mutedIds, userId))
            m_broadcasts.emplace_back(userId, request.Payload.substr(0, MaxChatBytes));
        return true;
    case SubMood: {
        // target (8), user (8), seat (8), mood: passed on as it came, to its target.
        Platform::ByteReader in(request.Payload.data(), request.Payload.size());
        const auto target = in.ReadI64LE();
        if (!target || request.Payload.size() < 45)
            return false;
        m_packets.push_back(
            {*target, RoomPackets::TableMessage(userId, SubMood, request.Payload.substr(0, 45))});
        return true;
    }
    case SubWatchPermission: {
        Platform::ByteReader in(request.Payload.data(), request.Payload.size());
        const auto target = in.ReadI64LE();
        if (!target || request.Payload.size() < 9)
            return false;
        m_packets.push_back({*target, RoomPackets::TableMessage(userId, SubWatchPermission,
                                                                request.Payload.substr(0, 9))});
        return true;
    }
    case SubAdminList:
        if (!m_adminIds.empty())
            m_packets.push_back({userId, RoomPackets::TableMessage(0, SubAdminList, m_adminIds)});
        return true;
    case SubList147:
    case SubChatPermit:
        return true;
    case SubMutedList:
        // With a user's id from an administrator: that user is muted or unmuted.
        if (request.HeaderId != 0 && OnList(m_adminIds, userId)) {
            const std::string entry = std::to_string(request.HeaderId) + ",";
            if (OnList(m_mutedIds, request.HeaderId))
                m_mutedIds.erase(m_mutedIds.find(entry), entry.size());
            else
                m_mutedIds += entry;
            ToAll(RoomPackets::TableMessage(request.HeaderId, SubMutedList,
                                            m_mutedIds.empty() ? "," : m_mutedIds));
        } else if (!m_mutedIds.empty()) {
            m_packets.push_back({userId, RoomPackets::TableMessage(0, SubMutedList, m_mutedIds)});
        }
        return true;
    case SubLeaveSeat:
        return true;
    default:
        return false;
    }
}

void TableRoom::HandFinished(const std::vector<RoomPackets::SettlementEntry> &entries) {
    for (const auto &entry : entries)
        if (auto *member = FindMember(entry.UserId)) {
            member->Score = entry.NewScore;
            member->Beans = entry.NewBeans;
            const int64_t change = entry.ScoreChange + entry.BeanChange;
            ++(change > 0 ? member->Wins : change < 0 ? member->Losses : member->Draws);
        }
    for (auto &member : m_members)
        if (member.Player)
            ++member.RoundsPlayed;
    ToAll(RoomPackets::Settlement(1, entries));
    SendConfiguration(0);
}

std::vector<TablePacket> TableRoom::TakePackets() {
    return std::exchange(m_packets, {});
}

std::vector<std::pair<int64_t, std::string>> TableRoom::TakeBroadcasts() {
    return std::exchange(m_broadcasts, {});
}
