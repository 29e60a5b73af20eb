#pragma once
// The state of one table of four seats and the turn rules the client mirrors from the
// server: snapshots, plays, passes, bids, the records of the game channel, the turn clock
// and trusteeship. Plain C++: the panel around it supplies a TVestranoTableHost, so the
// rules run and are tested without any widget.

#include "cards/TCardDecks.h"
#include "game/GameRecordCodec.h"
#include "game/TGameSnapshot.h"
#include "game/TSeatInfo.h"
#include "game/TVestranoTableHost.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TVestranoTable final {
public:
    static constexpr int SeatCount = 4;
    // What a seat that passed shows as its play in the trick.
    static constexpr std::string_view PassMark = "?";
    // Trusteeship acts this many seconds into the own turn.
    static constexpr int32_t TrusteeDelay = 3;
    static constexpr int32_t WarningSeconds = 5;
    static constexpr int TimeoutsForTrustee = 3;

    enum class TPhase { Waiting, Dealing, Bidding, TakingBottom, Playing, HandOver };

    explicit TVestranoTable(TVestranoTableHost &host);

    // Records and notices. A record or snapshot naming a seat outside the table, or a bid
    // outside 32 bits, is rejected whole with std::invalid_argument; a short record or an
    // unknown id is dropped silently.
    void ApplyRecord(std::span<const uint8_t> record);
    void ApplySnapshot(std::string_view text);
    void ApplySnapshot(const TGameSnapshot &snapshot);
    void SeatTaken(uint8_t seat, int64_t userId, std::string nickName);
    void SeatLeft(uint8_t seat);
    void SeatReady(int seat);
    void GameStart();
    void GameOver();

    // The rules of a turn.
    int ApplyPlay(int seat, std::string_view cards, std::string_view faces, bool checkOnly);
    bool ApplyPass(int seat);
    void ApplyBid(int seat, int64_t points);

    // Sending the own actions to the server.
    void SendPlay(int seat, std::string_view cards, std::string_view faces);
    void SendPass(int seat);
    void SendTrustee(int seat, bool on);
    void SendBid(int seat, int64_t points);

    // Clock and trusteeship.
    void ClockTick();
    void SetTrustee(bool on);
    void RecordTurn(int seat);
    void CheckTimeouts(int seat);
    void AutoLead();
    void AutoPass();

    void SetShowPrevious(bool on);
    // The clock's number of seconds left; every change is shown at once.
    void SetClockNumber(int32_t seconds);

    // Places: the seat order's pairs, the last matching record winning, else the identity.
    int PlaceOf(int seat) const;
    int SeatAt(int place) const;
    // 0 bottom (own seat), 1 right, 2 top, 3 left.
    int RelativePosition(int seat) const;
    TPhase Phase() const;

    // What the played-card display of each seat shows: cards and their faces.
    struct TTrickView {
        std::string Cards;
        std::string Faces;
    };
    TTrickView TrickCardsOf(int seat) const;

    TVestranoTableHost &Host() const { return m_host; }
    const std::array<TSeatInfo, SeatCount> &Seats() const { return m_seats; }
    const std::string &LiveHand(int seat) const { return m_live[seat]; }

    std::array<std::string, SeatCount> Hands;
    std::array<std::string, SeatCount> TrickPlay;
    std::array<std::string, SeatCount> TrickFaces;
    std::array<std::string, SeatCount> PrevPlay;
    std::array<std::string, SeatCount> PrevFaces;
    std::array<std::string, SeatCount> SeatMarks;
    std::string PlayToBeat;
    std::string BottomCards;
    std::string TurnedCard;
    uint8_t TurnedCardSeat = 0;
    bool MarksValid = false;
    uint8_t CurrentSeat = 0;
    uint8_t LastPlayer = 0;
    uint8_t Banker = 0;
    bool Dealing = false;
    bool Bidding = false;
    bool TakingBottom = false;
    bool HandOver = false;
    bool ShowPrevious = false;
    std::array<int64_t, SeatCount> SeatBid{};
    std::array<bool, SeatCount> HasBid{};
    int64_t HighestBid = 0;
    int32_t PlayTime = 0;
    int32_t BidTime = 0;
    int32_t Elapsed = 0;
    int32_t BidClock = 0;
    int32_t BottomClock = 0;
    std::array<bool, SeatCount> SeatTrustee{};
    bool Trustee = false;
    std::array<int32_t, SeatCount> TurnCount{};
    std::array<std::vector<bool>, SeatCount> TimeoutLog;
    bool TimeoutNoticeShown = false;
    std::vector<std::string> Interpretations;
    // The own hand's order: 1 small to big, 2 big to small, 3 from many to few.
    int32_t SortMode = 0;
    std::string HandOrder;
    bool ResultReady = false;
    int64_t ResultScale1 = 0;
    int64_t ResultScale2 = 0;
    GameRecordCodec::TGameHandResultRec Result;
    TCardDecks Deck;
    bool NoGameYet = true;
    // The clock's number of seconds left; it may fall below 0. Set through SetClockNumber.
    int32_t ClockNumber = 0;
    int32_t TickCount = 0;
    // Seats whose pass mark is drawn at once because their pass ended the trick.
    std::array<bool, SeatCount> TrickEndPasses{};

private:
    void Handle(const GameRecordCodec::TGameRecord &record);
    void BiddingStart(int seat);
    void BidMade(int seat, int64_t points);
    void BiddingEnd(int seat, int64_t points);
    void BankerHand(int seat, const std::string &cards);
    void MarkCards(int seat, const std::string &cards);
    void SeatOrder(const GameRecordCodec::TGameSeatOrderRec &order);
    void Trusteeship(int seat, bool on);
    void HandResult(const GameRecordCodec::TGameHandResultRec &result);
    void SetHand(int seat, std::string cards, bool keepSelection);
    // The seat after `seat` in play that still holds cards; the skipped seats' trick
    // displays are emptied, and with a pass the lead moves on from a skipped leader.
    void MoveTurnOn(int seat, bool passing);
    // The seat whose turn starts keeps its trick play as its previous play.
    void StartTurnDisplay();
    void AfterTurn();
    bool OwnTurnAsPlayer() const;
    bool AnyHandHoldsCards() const;

    TVestranoTableHost &m_host;
    std::array<TSeatInfo, SeatCount> m_seats;
    std::array<std::string, SeatCount> m_live;
};
