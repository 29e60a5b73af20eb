#include "TableRoom.h"

#include "platform/ByteReader.h"
#include "platform/ByteWriter.h"

#include <algorithm>
#include <utility>

namespace {

// Kind-3 sub-kinds the room answers.
constexpr uint8_t SubWatchPermission = 33;
constexpr uint8_t SubAdminNoticeIn = 81;
constexpr uint8_t SubAdminNotice = 82;
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

constexpr uint8_t SubExpel = 4;
constexpr uint8_t SubExpelNotice = 20;
constexpr uint8_t KindKick = 18;
constexpr uint8_t KindKickNotice = 19;
constexpr uint8_t VoteAnnounced = 1;
constexpr uint8_t VoteCarried = 2;
constexpr uint8_t VoteFailed = 0;
constexpr size_t ReasonSize = 40;
constexpr size_t KickReasonMax = 200;
constexpr uint8_t KickForGood = 2;
constexpr size_t NoticeSize = 255;
constexpr uint8_t AdministratorLevel = 1;
constexpr uint8_t OwnerLevel = 2;
// Robots keep ids far above any user's; they neither vote nor are voted out.
constexpr int64_t FirstBotId = 9'000'000'000'000;

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

uint8_t TableRoom::RightsOf(int64_t userId) const {
    if (OnList(m_ownerIds, userId))
        return OwnerLevel;
    return OnList(m_adminIds, userId) ? AdministratorLevel : 0;
}

// The newcomer learns everyone's rights; the others learn the newcomer's.
void TableRoom::SendRights(const RoomPackets::Member &newcomer) {
    for (const auto &member : m_members)
        if (const uint8_t level = RightsOf(member.UserId))
            m_packets.push_back({member.UserId == newcomer.UserId ? 0 : newcomer.UserId,
                                 RoomPackets::Rights(member.UserId, level)});
}

void TableRoom::Join(const RoomPackets::Member &member) {
    if (FindMember(member.UserId)) {
        // Coming back: the seat is kept; the user is told the room again.
        m_packets.push_back({member.UserId, RoomPackets::UserList(m_members)});
        SendConfiguration(member.UserId);
        SendRights(member);
        return;
    }
    m_members.push_back(member);
    SendConfiguration(0);
    for (const auto &other : m_members)
        if (other.UserId != member.UserId)
            m_packets.push_back({other.UserId, RoomPackets::UserEntered(member)});
    m_packets.push_back({member.UserId, RoomPackets::UserList(m_members)});
    SendRights(member);
}

void TableRoom::SetNetDelay(int64_t userId, int32_t delayMs) {
    auto *member = FindMember(userId);
    if (!member)
        return;
    member->Delay = delayMs;
    ToAll(RoomPackets::NetDelay(userId, delayMs));
}

std::vector<TableRoom::Removal> TableRoom::TakeRemovals() {
    return std::exchange(m_removals, {});
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

// Kind 18: type (1), target (8), reason length (4), reason. Only administrators kick, and
// only owners for good; the table hears of it as kind 19, and the server takes the target
// off the table whether or not its module leaves by itself.
void TableRoom::Kick(int64_t op, std::string_view payload) {
    Platform::ByteReader in(payload.data(), payload.size());
    const auto type = in.ReadU8();
    const auto target = in.ReadI64LE();
    const auto length = in.ReadI32LE();
    if (!type || !target || !length || *length < 0 || *type > KickForGood ||
        RightsOf(op) < (*type == KickForGood ? OwnerLevel : AdministratorLevel) || !Find(*target) ||
        *target == op || *target >= FirstBotId)
        return;
    const std::string reason =
        in.ReadRest().substr(0, std::min<size_t>(static_cast<size_t>(*length), KickReasonMax));
    Platform::ByteWriter out;
    out.U8(KindKickNotice).U8(*type).I64LE(op).I64LE(*target);
    out.I32LE(static_cast<int32_t>(reason.size())).Bytes(reason);
    ToAll(out.Take());
    m_removals.push_back({*target, false, *type});
}

// Sub-kind 81: the sender's id (8), short string of 255. From an administrator it reaches
// the whole table as sub-kind 82: id (8), a zero byte, the short string.
void TableRoom::AdminNotice(int64_t userId, std::string_view payload) {
    Platform::ByteReader in(payload.data(), payload.size());
    const auto id = in.ReadI64LE();
    const auto text = in.ReadShortString(NoticeSize);
    if (!id || !text || !RightsOf(userId))
        return;
    Platform::ByteWriter out;
    out.I64LE(userId).U8(0).ShortString(*text, NoticeSize);
    ToAll(RoomPackets::TableMessage(userId, SubAdminNotice, out.Data()));
}

int TableRoom::Voters() const {
    int voters = 0;
    for (const auto &member : m_members)
        voters += member.Player && member.UserId < FirstBotId &&
                  (!m_vote || member.UserId != m_vote->Target);
    return voters;
}

void TableRoom::AnnounceVote(uint8_t phase) {
    Platform::ByteWriter payload;
    payload.I64LE(m_vote->Initiator).I64LE(m_vote->Target).U8(phase);
    payload.ShortString(m_vote->Reason, ReasonSize);
    ToAll(RoomPackets::TableMessage(0, SubExpelNotice, payload.Data()));
}

// Sub-kind 4: initiator (8), target (8), phase (1), reason ss40. The first request about
// a seated player opens a vote among the other seated players; each request while it
// runs is a yes. More than half carries it; the clock ends it otherwise.
void TableRoom::VoteExpel(int64_t userId, std::string_view payload, int64_t nowMs) {
    Platform::ByteReader in(payload.data(), payload.size());
    const auto initiator = in.ReadI64LE();
    const auto target = in.ReadI64LE();
    const auto phase = in.ReadU8();
    const auto reason = in.ReadShortString(ReasonSize);
    const auto *voter = Find(userId);
    const auto *accused = target ? Find(*target) : nullptr;
    if (!initiator || !target || !phase || !reason || !voter || !voter->Player || !accused ||
        !accused->Player || *target == userId || *target >= FirstBotId)
        return;
    if (!m_vote) {
        m_vote = Vote{userId, *target, *reason, {}, nowMs + VoteMs};
        AnnounceVote(VoteAnnounced);
    } else if (m_vote->Target != *target) {
        return;
    }
    if (std::find(m_vote->Yes.begin(), m_vote->Yes.end(), userId) == m_vote->Yes.end())
        m_vote->Yes.push_back(userId);
    if (static_cast<int>(m_vote->Yes.size()) * 2 > Voters()) {
        AnnounceVote(VoteCarried);
        m_removals.push_back({m_vote->Target, true, 0});
        m_vote.reset();
    }
}

void TableRoom::Tick(int64_t nowMs) {
    if (m_vote && nowMs >= m_vote->EndsAt) {
        AnnounceVote(VoteFailed);
        m_vote.reset();
    }
}

bool TableRoom::Handle(int64_t userId, const RoomPackets::Request &request, int64_t nowMs) {
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
    if (request.Kind == KindKick) {
        Kick(userId, request.Payload);
        return true;
    }
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
        if (!m_list147.empty())
            m_packets.push_back({userId, RoomPackets::TableMessage(0, SubList147, m_list147)});
        return true;
    case SubAdminNoticeIn:
        AdminNotice(userId, request.Payload);
        return true;
    case SubChatPermit:
        return true;
    case SubMutedList:
        // With a user's id from an administrator: that user is muted or unmuted.
        if (request.HeaderId != 0 && RightsOf(userId)) {
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
    case SubExpel:
        VoteExpel(userId, request.Payload, nowMs);
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
