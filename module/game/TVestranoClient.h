#pragma once
// The game table panel: keeps the table's rules and state in a TVestranoTable and shows
// them — hands, played cards, marks, clock, labels, avatars, the player's controls, the
// deal, the speech bubbles and the score board — and takes the hub's notices, records
// and snapshots and the player's mouse. RefreshTable and LayoutTable are the single
// places that recompute what is visible and where it lies; every state change repaints
// the whole table.

#include "game/TVestranoTable.h"
#include "game/TVestranoTableHost.h"
#include "plugin/TCustomPluginClient.h"

#include <QImage>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class TCardGroupGraphic;
class TChatBubbles;
class TDealAnimation;
class THandResultBoard;
class TNumberGraphic;
class TPlayerControls;
class TTableLabel;
class TTablePicture;

class TVestranoClient final : public TCustomPluginClient, private TVestranoTableHost {
    Q_OBJECT

public:
    static constexpr int ClockInterval = 1000;
    static constexpr int SeatCount = TVestranoTable::SeatCount;

    explicit TVestranoClient(QWidget *parent = nullptr);
    ~TVestranoClient() override;

    void OnGameRecord(std::span<const uint8_t> record, int64_t sender) override;
    void OnSeatReady(int seat) override;
    void OnGameStart() override;
    void OnGameOver() override;
    void OnChatLine(const std::string &text, int64_t kind) override;
    void OnSnapshot(std::span<const uint8_t> snapshot) override;
    void OnSeatTaken(const std::string &name, uint16_t face, uint8_t seat, int64_t userId) override;
    void OnSeatLeft(uint8_t seat, int64_t userId) override;
    void OnHubClosing() override;
    void RequestResync() override;
    void SendReady() override;
    void PlaySound(const std::string &fileName) override;
    void ShowNotice(bool flash, const std::string &text) override;

    TVestranoTable &Table() { return m_table; }
    const TVestranoTable &Table() const { return m_table; }
    int ApplyPlay(int seat, std::string_view cards, std::string_view faces, bool checkOnly) {
        return m_table.ApplyPlay(seat, cards, faces, checkOnly);
    }
    bool ApplyPass(int seat) { return m_table.ApplyPass(seat); }
    void ApplyBid(int seat, int64_t points) { m_table.ApplyBid(seat, points); }
    void SendPlay(int seat, std::string_view cards, std::string_view faces) {
        m_table.SendPlay(seat, cards, faces);
    }
    void SendPass(int seat) { m_table.SendPass(seat); }
    void SendTrustee(int seat, bool on) { m_table.SendTrustee(seat, on); }
    void SendBid(int seat, int64_t points) { m_table.SendBid(seat, points); }
    void SetTrustee(bool on) { m_table.SetTrustee(on); }
    void SetShowPrevious(bool on) { m_table.SetShowPrevious(on); }
    int PlaceOf(int seat) const { return m_table.PlaceOf(seat); }
    int SeatAt(int place) const { return m_table.SeatAt(place); }

    // The timers' handlers; tests call them directly instead of waiting.
    void ClockTick();
    void DealTimerTick();
    void BubbleTimerTick();
    const QTimer &ClockTimer() const { return m_clock; }
    // Where the keyboard focus is asked about (empty: the application's focus widget).
    void SetFocusProbe(std::function<bool()> probe) { m_focusProbe = std::move(probe); }

    void RefreshTable() override;
    void LayoutTable();
    void ShowTrickCards();
    void UpdateTrusteeMark() override;
    bool TrusteeMarkShown() const { return m_trusteeMarkShown; }
    void UpdatePlayHint();
    void SetSortMode(int mode);
    void DrawClockDigits();

    // The main window's options.
    void SetBackground(int index);
    // A picture of the user's own choice, stretched over the whole window.
    void SetBackgroundPicture(const QImage &picture);
    void SetHideBubbles(bool on);
    void SetHideResult(bool on) { m_hideResult = on; }
    void SetDragSelect(bool on);

    // The table's elements.
    TCardGroupGraphic *HandControl(int seat) const { return m_hands[size_t(seat)]; }
    TCardGroupGraphic *OwnHand() const;
    TCardGroupGraphic *OwnDealView() const;
    TCardGroupGraphic *TrickDisplay(int seat) const { return m_trick[size_t(seat)]; }
    TCardGroupGraphic *BottomCardsDisplay() const { return m_bottomCards; }
    TTablePicture *Avatar(int seat) const { return m_avatars[size_t(seat)]; }
    TTableLabel *NameLabel(int seat) const { return m_names[size_t(seat)]; }
    TTableLabel *CountLabel(int seat) const { return m_counts[size_t(seat)]; }
    TTablePicture *ReadyMark(int seat) const { return m_readyMarks[size_t(seat)]; }
    TTablePicture *BidMark(int seat) const { return m_bidMarks[size_t(seat)]; }
    TTablePicture *Clock() const { return m_clockPicture; }
    TTablePicture *ClockDigits() const { return m_clockDigits; }
    TNumberGraphic *ClockNumberControl() const { return m_number; }
    TTablePicture *BankerMark() const { return m_bankerMark; }
    TTableLabel *BankerLabel() const { return m_bankerLabel; }
    TTableLabel *BidLabel() const { return m_bidLabel; }
    TTablePicture *TrusteeMark() const { return m_trusteeMark; }
    TPlayerControls &Controls() const { return *m_controls; }
    TDealAnimation &Deal() const { return *m_deal; }
    TChatBubbles &Bubbles() const { return *m_bubbles; }
    THandResultBoard &Board() const { return *m_board; }
    const QImage &Background() const { return m_background; }
    int BackgroundIndex() const { return m_backgroundIndex; }
    bool Laidout() const { return m_laidout; }
    const std::array<TVestranoTable::TTrickView, SeatCount> &ShownTrickCards() const {
        return m_shownTrick;
    }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    bool GameRunning() const override;
    void SetGameRunning(bool running) override;
    uint8_t OwnSeat() const override;
    bool OwnIsPlayer() const override;
    int64_t OwnUserId() const override;
    bool WindowHasFocus() const override;
    void SendRecord(std::string_view record) override;
    void ReleaseMenuAndChat() override;
    void StopClock() override;
    void HandReplaced(int seat, bool keepSelection) override;
    void CardsRemoved(int seat, std::string_view cards) override;
    void CardsMarked(int seat, std::string_view cards) override;
    void ClockChanged() override;
    void TurnApplied() override;
    void SnapshotApplied() override;
    void ShowHandResult() override;

    void CreateSeatElements();
    void CreateTableElements();
    void RefreshHands();
    void RefreshMarks();
    void RefreshLabels();
    void LayoutSeats();
    void RaiseInOrder();
    // A right click on the table plays the selection on the own turn.
    void RightClickPlay();
    std::string SeatName(int seat) const;

    TVestranoTable m_table;
    QTimer m_clock;
    std::array<TCardGroupGraphic *, SeatCount> m_hands{};
    std::array<TCardGroupGraphic *, SeatCount> m_trick{};
    std::array<TTablePicture *, SeatCount> m_avatars{};
    std::array<TTableLabel *, SeatCount> m_names{};
    std::array<TTableLabel *, SeatCount> m_counts{};
    std::array<TTablePicture *, SeatCount> m_readyMarks{};
    std::array<TTablePicture *, SeatCount> m_bidMarks{};
    TCardGroupGraphic *m_bottomCards = nullptr;
    TTablePicture *m_clockPicture = nullptr;
    TTablePicture *m_clockDigits = nullptr;
    TNumberGraphic *m_number = nullptr;
    QImage m_digits;
    TTablePicture *m_bankerMark = nullptr;
    TTableLabel *m_bankerLabel = nullptr;
    TTableLabel *m_bidLabel = nullptr;
    TTablePicture *m_trusteeMark = nullptr;
    TPlayerControls *m_controls = nullptr;
    TDealAnimation *m_deal = nullptr;
    TChatBubbles *m_bubbles = nullptr;
    THandResultBoard *m_board = nullptr;
    QImage m_background;
    QImage m_passMark;
    int m_backgroundIndex = 0;
    bool m_laidout = false;
    bool m_hideResult = false;
    bool m_dragSelect = false;
    std::array<TVestranoTable::TTrickView, SeatCount> m_shownTrick;
    std::function<bool()> m_focusProbe;
    bool m_trusteeMarkShown = false;
};
