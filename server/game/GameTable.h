#pragma once
// One table as the server's sessions see it: users in seats, bots in the empty ones, and
// the module packets in both directions (kind 3 with its 10-byte header). It turns the
// engine's records into packets, answers table-state requests, starts a hand when every
// seated user is ready, refuses bad records with a fresh snapshot to their sender, and
// lets bots act after their thinking delay. Still no sockets: the caller sends the packets.

#include "GameEngine.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A module packet for one user, or for everyone at the table when Target is 0.
struct TablePacket {
    int64_t Target = 0;
    std::string Packet;
};

class GameTable final {
public:
    static constexpr uint8_t TableMessageKind = 3;
    static constexpr size_t HeaderSize = 10;
    static constexpr uint8_t SubGameRecordIn = 1;
    static constexpr uint8_t SubTableStateRequest = 2;
    static constexpr uint8_t SubReady = 3;
    static constexpr uint8_t SubReadyNotice = 19;

    GameTable(const GameOptions &options, const ChaChaRandom::Key &key, int botDelayMs);

    // With a pause of zero or more milliseconds, a table with at least minUsers users seated
    // (0: any table) deals the next hand after that pause whether or not everyone pressed
    // ready (unattended play).
    void SetAutoStart(int pauseMs, int minUsers = 1) {
        m_autoStartMs = pauseMs;
        m_autoStartUsers = minUsers;
    }

    // False when the seat is taken by another user or out of range.
    bool Sit(int seat, int64_t userId);
    // The seat goes to a bot at once; the result of a running hand is still the leaver's.
    void Leave(int64_t userId);
    int SeatOf(int64_t userId) const;
    // The user seated there, 0 for a bot.
    int64_t UserAt(int seat) const { return m_users[seat]; }
    // The id a seat's robot plays under, so that its hand results carry a name; 0 (the
    // default) leaves a robot's rows nameless.
    void SetRobotId(int seat, int64_t robotId) { m_robots[static_cast<size_t>(seat)] = robotId; }

    // A packet a seated user's module sent; false when it was refused or malformed.
    bool HandlePacket(int64_t userId, std::string_view packet, int64_t nowMs);
    // Bots' moves and the clock's time-outs.
    void Tick(int64_t nowMs);
    std::vector<TablePacket> TakePackets();

    const GameEngine &Game() const { return m_game; }
    int Refusals() const { return m_refusals; }

private:
    static std::string Header(int64_t userId, uint8_t subKind);
    bool IsBot(int seat) const { return m_users[seat] == 0; }
    void ReadyUp(int seat, int64_t nowMs);
    void AutoStart(int64_t nowMs);
    void StartHand(int64_t nowMs);
    void Resync(int64_t userId, int64_t nowMs);
    void Flush();

    GameEngine m_game;
    int m_botDelayMs;
    std::array<int64_t, GameEngine::SeatCount> m_users{};
    std::array<int64_t, GameEngine::SeatCount> m_robots{};
    std::array<bool, GameEngine::SeatCount> m_ready{};
    int64_t m_turnSeenAt = 0;
    int m_turnSeat = -1;
    int m_refusals = 0;
    int m_autoStartMs = -1;
    int m_autoStartUsers = 1;
    // When the table was first seen waiting for its next hand; -1 while a hand runs.
    int64_t m_idleSince = -1;
    std::vector<TablePacket> m_packets;
};
