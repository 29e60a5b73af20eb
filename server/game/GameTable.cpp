#include "GameTable.h"

#include "GameBot.h"
#include "platform/ByteReader.h"

#include <algorithm>
#include <utility>

namespace {

void PutLE64(std::string &out, int64_t value) {
    const auto bits = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<char>(bits >> (8 * i)));
}

} // namespace

GameTable::GameTable(const GameOptions &options, const ChaChaRandom::Key &key, int botDelayMs)
    : m_game(options, key)
    , m_botDelayMs(botDelayMs) {}

bool GameTable::Sit(int seat, int64_t userId) {
    if (seat < 0 || seat >= GameEngine::SeatCount || userId == 0 ||
        (m_users[seat] != 0 && m_users[seat] != userId))
        return false;
    m_users[seat] = userId;
    m_game.SetSeatUser(seat, userId);
    return true;
}

void GameTable::Leave(int64_t userId) {
    const int seat = SeatOf(userId);
    if (seat < 0)
        return;
    m_users[seat] = 0;
    m_ready[seat] = false;
}

int GameTable::SeatOf(int64_t userId) const {
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat)
        if (userId != 0 && m_users[seat] == userId)
            return seat;
    return -1;
}

std::string GameTable::Header(int64_t userId, uint8_t subKind) {
    std::string out(1, static_cast<char>(TableMessageKind));
    PutLE64(out, userId);
    out.push_back(static_cast<char>(subKind));
    return out;
}

// Module packets read here: 0: kind 3; 1: sender id (i64); 9: sub-kind; 10: payload.
// Sub 1 carries one game record, sub 2 asks for the table state, sub 3 is ready.
bool GameTable::HandlePacket(int64_t userId, std::string_view packet, int64_t nowMs) {
    Platform::ByteReader reader(packet.data(), packet.size());
    const auto kind = reader.ReadU8();
    const auto sender = reader.ReadI64LE();
    const auto sub = reader.ReadU8();
    if (!kind || !sender || !sub || *kind != TableMessageKind)
        return false;
    const int seat = SeatOf(userId);
    switch (*sub) {
    case SubTableStateRequest:
        m_packets.push_back({userId, Header(0, GameEngine::SubSnapshot) + m_game.Snapshot(nowMs)});
        return true;
    case SubReady:
        if (seat < 0)
            return false;
        ReadyUp(seat, nowMs);
        return true;
    case SubGameRecordIn: {
        const auto rest = reader.ReadBytes(reader.Remaining());
        const auto record = GameRecords::DecodeClientRecord(*rest);
        // A watcher's module switches its own trusteeship for the seat it watches after
        // three time-outs there; that changes nothing at the table.
        if (seat < 0 && record && std::holds_alternative<GameRecords::TrusteeRequest>(*record))
            return true;
        if (seat >= 0 && record && m_game.Receive(seat, *record, nowMs)) {
            Flush();
            return true;
        }
        Resync(userId, nowMs);
        return false;
    }
    default:
        return false;
    }
}

void GameTable::ReadyUp(int seat, int64_t nowMs) {
    m_ready[seat] = true;
    std::string notice = Header(m_users[seat], SubReadyNotice);
    PutLE64(notice, m_users[seat]);
    notice.push_back('\1');
    m_packets.push_back({0, notice});
    const auto phase = m_game.CurrentPhase();
    if (phase != GameEngine::Phase::Waiting && phase != GameEngine::Phase::HandOver)
        return;
    for (int other = 0; other < GameEngine::SeatCount; ++other)
        if (!IsBot(other) && !m_ready[other])
            return;
    m_ready = {};
    StartHand(nowMs);
    Flush();
}

// Seats given up since the last hand are the bots' now: their results go to the robots.
void GameTable::StartHand(int64_t nowMs) {
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat)
        m_game.SetSeatUser(seat, IsBot(seat) ? m_robots[static_cast<size_t>(seat)]
                                             : m_users[static_cast<size_t>(seat)]);
    m_game.StartHand(nowMs);
}

void GameTable::Resync(int64_t userId, int64_t nowMs) {
    ++m_refusals;
    m_packets.push_back({userId, Header(0, GameEngine::SubSnapshot) + m_game.Snapshot(nowMs)});
}

void GameTable::AutoStart(int64_t nowMs) {
    const auto phase = m_game.CurrentPhase();
    if (phase != GameEngine::Phase::Waiting && phase != GameEngine::Phase::HandOver) {
        m_idleSince = -1;
        return;
    }
    const auto seated =
        std::count_if(m_users.begin(), m_users.end(), [](int64_t user) { return user != 0; });
    if (m_autoStartMs < 0 || seated < m_autoStartUsers) {
        m_idleSince = -1;
        return;
    }
    if (m_idleSince < 0)
        m_idleSince = nowMs;
    if (nowMs - m_idleSince < m_autoStartMs)
        return;
    m_idleSince = -1;
    m_ready = {};
    StartHand(nowMs);
}

// A bot thinks from the moment its turn is first seen; the clock covers absent users.
void GameTable::Tick(int64_t nowMs) {
    AutoStart(nowMs);
    const int seat = m_game.CurrentSeat();
    if (seat != m_turnSeat) {
        m_turnSeat = seat;
        m_turnSeenAt = nowMs;
    }
    if (IsBot(seat) && nowMs - m_turnSeenAt >= m_botDelayMs) {
        if (const auto record = GameBot::Decide(m_game, seat))
            m_game.Receive(seat, *record, nowMs);
        m_turnSeat = -1;
    }
    m_game.Tick(nowMs);
    Flush();
}

void GameTable::Flush() {
    for (auto &output : m_game.TakeOutput())
        m_packets.push_back({output.Target, Header(0, output.SubKind) + output.Payload});
}

std::vector<TablePacket> GameTable::TakePackets() {
    Flush();
    return std::exchange(m_packets, {});
}
