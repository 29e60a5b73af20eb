#pragma once
// The game table panel: keeps the table's rules and state in a TVestranoTable, shows the
// four hands in card controls, runs the turn clock, and takes the hub's notices, records
// and snapshots. RefreshTable and LayoutTable are the single places that recompute what
// is visible and where it lies.

#include "game/TVestranoTable.h"
#include "game/TVestranoTableHost.h"
#include "plugin/TCustomPluginClient.h"

#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class TCardGroupGraphic;

class TVestranoClient final : public TCustomPluginClient, private TVestranoTableHost {
    Q_OBJECT

public:
    static constexpr int ClockInterval = 1000;

    explicit TVestranoClient(QWidget *parent = nullptr);
    ~TVestranoClient() override;

    void OnGameRecord(std::span<const uint8_t> record, int64_t sender) override;
    void OnSeatReady(int seat) override;
    void OnGameStart() override;
    void OnGameOver() override;
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

    // The clock timer's handler; tests call it directly instead of waiting for the timer.
    void ClockTick() { m_table.ClockTick(); }
    const QTimer &ClockTimer() const { return m_clock; }
    // Where the keyboard focus is asked about (empty: the application's focus widget).
    void SetFocusProbe(std::function<bool()> probe) { m_focusProbe = std::move(probe); }

    TCardGroupGraphic *HandControl(int seat) const { return m_hands[seat]; }
    void RefreshTable() override;
    void LayoutTable();
    void ShowTrickCards();
    const std::array<TVestranoTable::TTrickView, TVestranoTable::SeatCount> &
    ShownTrickCards() const {
        return m_shownTrick;
    }
    void UpdateTrusteeMark() override;
    bool TrusteeMarkShown() const { return m_trusteeMarkShown; }

protected:
    void resizeEvent(QResizeEvent *event) override;

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

    TVestranoTable m_table;
    QTimer m_clock;
    std::array<TCardGroupGraphic *, TVestranoTable::SeatCount> m_hands{};
    std::array<TVestranoTable::TTrickView, TVestranoTable::SeatCount> m_shownTrick;
    std::function<bool()> m_focusProbe;
    bool m_trusteeMarkShown = false;
};
