#pragma once
// The social side of one table: who is there (players, watchers, bots), what the modules
// are told when someone comes, goes or sits down, the table configuration with its
// roster, the settlement after each hand, the relays of chat lines, moods and watch
// permissions, and the rights, notices, kicks and votes of moderation. Broadcasts leave the
// table: the server sends them to every table; kicked and expelled users are handed to the
// server, which takes them off the table.

#include "RoomPackets.h"
#include "game/GameTable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TableRoom final {
public:
    explicit TableRoom(RoomPackets::Rules rules);

    // Someone takes a seat or watches: the newcomer gets the user list and the table
    // configuration, the others the new record.
    void Join(const RoomPackets::Member &member);
    void Leave(int64_t userId);
    // Moves a member to a seat (player) or to watching that seat.
    void Seat(int64_t userId, uint8_t seat, bool player);
    const RoomPackets::Member *Find(int64_t userId) const;
    const std::vector<RoomPackets::Member> &Members() const { return m_members; }

    // A module's room packet. Returns false for what the room does not handle.
    bool Handle(int64_t userId, const RoomPackets::Request &request, int64_t nowMs = 0);
    // Ends an expel vote whose time is up.
    void Tick(int64_t nowMs);
    static constexpr int64_t VoteMs = 30'000;
    // A finished hand: the members' new totals and one more round each.
    void HandFinished(const std::vector<RoomPackets::SettlementEntry> &entries);

    std::vector<TablePacket> TakePackets();
    // Broadcast texts ("[name]:text" already) with their senders, for every table.
    std::vector<std::pair<int64_t, std::string>> TakeBroadcasts();

    // Id lists, each id followed by a comma. Administrators have rights level 1, owners
    // (administrators too) level 2, which alone kicks for good.
    void SetAdministrators(std::string ids) { m_adminIds = std::move(ids); }
    void SetOwners(std::string ids) { m_ownerIds = std::move(ids); }
    void SetList147(std::string ids) { m_list147 = std::move(ids); }
    uint8_t RightsOf(int64_t userId) const;
    void SendConfiguration(int64_t target);
    // A measured round trip of a member's connection, told to the whole table.
    void SetNetDelay(int64_t userId, int32_t delayMs);

    // Someone the table must lose: kicked by an administrator or expelled by a vote.
    struct Removal {
        int64_t UserId = 0;
        bool Expelled = false;
        uint8_t KickType = 0; // 0 this table, 1 for 24 hours, 2 for good
    };
    std::vector<Removal> TakeRemovals();

private:
    struct Vote {
        int64_t Initiator = 0;
        int64_t Target = 0;
        std::string Reason;
        std::vector<int64_t> Yes;
        int64_t EndsAt = 0;
    };

    RoomPackets::Member *FindMember(int64_t userId);
    void Kick(int64_t op, std::string_view payload);
    void AdminNotice(int64_t userId, std::string_view payload);
    void SendRights(const RoomPackets::Member &newcomer);
    void VoteExpel(int64_t userId, std::string_view payload, int64_t nowMs);
    void AnnounceVote(uint8_t phase);
    // Seated human players other than the vote's target.
    int Voters() const;
    std::vector<RoomPackets::Member> Roster() const;
    void ToAll(std::string packet) { m_packets.push_back({0, std::move(packet)}); }

    RoomPackets::Rules m_rules;
    std::vector<RoomPackets::Member> m_members;
    std::string m_adminIds;
    std::string m_ownerIds;
    std::string m_list147;
    std::vector<Removal> m_removals;
    std::string m_mutedIds;
    std::vector<TablePacket> m_packets;
    std::vector<std::pair<int64_t, std::string>> m_broadcasts;
    std::optional<Vote> m_vote;
};
