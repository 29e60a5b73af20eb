#pragma once
// One table's game, with no sockets and no clock of its own: the caller passes the time in
// milliseconds to every call, so tests and the benchmark drive whole hands instantly. The
// engine decides everything that counts — the deal, whose turn it is, whether a bid, play
// or pass is legal, time-outs and the scores — and queues the packets the table must see.

#include "ChaChaRandom.h"
#include "GameRecords.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct GameOptions {
    int PlayTime = 30; // seconds per turn in play
    int BidTime = 15;  // seconds per turn in the bidding
    int64_t ResultScale1 = 1;
    int64_t ResultScale2 = 100;
};

// A packet for the table: hub sub-kind and payload; Target 0 = everyone at the table.
struct GameOutput {
    int64_t Target = 0;
    uint8_t SubKind = 0;
    std::string Payload;
};

class GameEngine final {
public:
    enum class Phase { Waiting, Bidding, Playing, HandOver };

    static constexpr int SeatCount = 4;
    static constexpr size_t HandSize = 25;
    static constexpr size_t BottomSize = 8;
    static constexpr uint8_t SubGameRecord = 17;
    static constexpr uint8_t SubSnapshot = 18;
    static constexpr uint8_t SubGameStarted = 49;
    static constexpr uint8_t SubGameOver = 50;
    // Each bomb and the rocket double the stake, up to this many times.
    static constexpr int MaxDoublings = 20;

    GameEngine(const GameOptions &options, const ChaChaRandom::Key &key);

    void SetSeatUser(int seat, int64_t userId);
    // Deals a new hand and opens the bidding.
    void StartHand(int64_t nowMs);
    // A record from the client at seat; false when it is refused (nothing changes).
    bool Receive(int seat, const GameRecords::ClientRecord &record, int64_t nowMs);
    // Plays, passes or declines for the seat whose time has run out.
    void Tick(int64_t nowMs);
    // The snapshot of the whole table as it stands.
    std::string Snapshot(int64_t nowMs) const;
    std::vector<GameOutput> TakeOutput();

    Phase CurrentPhase() const { return m_phase; }
    int CurrentSeat() const { return m_current; }
    int LastPlayer() const { return m_lastPlayer; }
    int Banker() const { return m_banker; }
    int64_t HighestBid() const { return m_highestBid; }
    int Doublings() const { return m_doublings; }
    const std::string &Hand(int seat) const { return m_hands[seat]; }
    const std::string &PlayToBeat() const { return m_playToBeat; }
    const std::string &Bottom() const { return m_bottom; }
    int TurnedCardSeat() const { return m_turnedSeat; }
    int64_t Deadline() const { return m_deadline; }
    const std::array<GameRecords::ResultEntry, SeatCount> &LastResult() const { return m_result; }
    int Redeals() const { return m_redeals; }
    int HandsFinished() const { return m_handsFinished; }

private:
    static int NextInPlay(int seat) { return (seat + 1) % SeatCount; }
    static int NextInBidding(int seat) { return (seat + SeatCount - 1) % SeatCount; }

    void Deal();
    bool Bid(int seat, int64_t points, int64_t nowMs);
    bool Play(int seat, const std::string &cards, const std::string &faces, bool timedOut,
              int64_t nowMs);
    bool Pass(int seat, bool timedOut, int64_t nowMs);
    void EndBidding(int64_t nowMs);
    void EndHand(int winner);
    void StartTurn(int seat, int64_t nowMs, int seconds);
    // The deal snapshot differs from later ones only by its Dealing flag.
    std::string Compose(int64_t nowMs, bool dealing) const;
    void Send(uint8_t subKind, std::string payload);

    GameOptions m_options;
    ChaChaRandom m_random;
    std::array<int64_t, SeatCount> m_users{};
    Phase m_phase = Phase::Waiting;
    std::string m_deck;
    std::array<std::string, SeatCount> m_hands;
    std::array<std::string, SeatCount> m_trickPlay;
    std::array<std::string, SeatCount> m_trickFaces;
    std::array<std::string, SeatCount> m_prevPlay;
    std::array<std::string, SeatCount> m_prevFaces;
    std::array<bool, SeatCount> m_trustee{};
    std::array<bool, SeatCount> m_hasBid{};
    std::array<int64_t, SeatCount> m_seatBid{};
    std::string m_bottom;
    std::string m_playToBeat;
    std::string m_turnedCard;
    int m_turnedSeat = 0;
    int m_current = 0;
    int m_lastPlayer = 0;
    int m_banker = 0;
    int64_t m_highestBid = 0;
    int m_doublings = 0;
    int m_redeals = 0;
    int m_handsFinished = 0;
    int64_t m_turnStart = 0;
    int64_t m_deadline = 0;
    // Whether a turn clock runs; any time, zero included, can be a deadline.
    bool m_clockRunning = false;
    bool m_marksValid = false;
    std::array<GameRecords::ResultEntry, SeatCount> m_result{};
    std::vector<GameOutput> m_output;
};
