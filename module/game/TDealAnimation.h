#pragma once
// The deal as the table shows it: two piles in the middle shrink while each seat's deal
// view grows by one card every four ticks of a 10 ms timer, and the turned card shows in
// the turned-card view of the seat that receives it in the second half of the deal.

#include <QObject>
#include <QTimer>

#include <array>

class TCardGroupGraphic;
class TVestranoClient;

class TDealAnimation final : public QObject {
    Q_OBJECT

public:
    static constexpr int TickInterval = 10;
    static constexpr int TicksPerCard = 4;
    static constexpr int LastTick = 100;
    static constexpr int TurnedCardTick = 55;
    static constexpr int PileCards = 13;
    static constexpr int PileBFirst = 52;

    explicit TDealAnimation(TVestranoClient &client);
    ~TDealAnimation() override;

    void Start();
    // DealTimerTick.
    void Tick();
    void Stop() { m_timer.stop(); }
    void ClearViews();
    void ClearSeat(int seat);

    // Faces, orientation and spacing follow each seat's hand.
    void Refresh();
    void Layout();
    void RaisePiles();
    void RaiseViews();

    int DealTick() const { return m_dealTick; }
    const QTimer &Timer() const { return m_timer; }

    TCardGroupGraphic *PileA = nullptr;
    TCardGroupGraphic *PileB = nullptr;
    std::array<TCardGroupGraphic *, 4> DealViews{};
    std::array<TCardGroupGraphic *, 4> TurnedViews{};

private:
    bool Running() const;
    void TrimPile(TCardGroupGraphic *pile, int keep);
    bool TurnedCardShown() const;

    TVestranoClient &m_client;
    QTimer m_timer;
    int m_dealTick = 0;
    // The deal ran to its end: the turned card stays in view until bidding starts.
    bool m_dealt = false;
    std::array<int, 4> m_shownCount{};
};
