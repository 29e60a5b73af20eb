#pragma once

#include "plugin/PluginRecords.h"
#include "plugin/TPluginHubLink.h"
#include "plugin/TTableConfiguration.h"

#include <QWidget>

#include <span>
#include <string>
#include <vector>

// The game client's contract with the hub, and the table configuration it keeps for
// the hub and itself. The operations starting with "On" are called by the hub; the
// others forward to it.
class TCustomPluginClient : public QWidget, public TPluginHubLink {
    Q_OBJECT

public:
    static constexpr uint8_t TipRecordId = 254;
    static constexpr size_t TipMaxBytes = 500;

    explicit TCustomPluginClient(QWidget *parent = nullptr);

    virtual std::string GetAuthData1();
    virtual std::string GetAuthData2();
    virtual bool ShowResultsInChat();
    virtual bool CanLeaveFreely();
    virtual void OnGameChannel0(int32_t value, int64_t userId);
    virtual void OnGameChannel1(int32_t value, int64_t userId);
    virtual void OnGameChannel2(int32_t value, std::span<const uint8_t> data, int64_t userId);
    virtual void OnGameRecord(std::span<const uint8_t> record, int64_t sender);
    virtual void OnSeatReady(int seat);
    virtual void OnWatchPermission(bool flag);
    virtual void OnMood(uint8_t seat, const std::string &mood, int64_t userId, int64_t target);
    virtual void OnGameStart();
    virtual void OnGameOver();
    virtual void OnChatLine(const std::string &text, int64_t kind);
    virtual void OnSafeBoxReply(std::span<const uint8_t> payload);
    virtual void OnServerText(const std::string &text);
    virtual void OnExpelNotice(uint8_t phase, const std::string &reason, int64_t target,
                               int64_t initiator);
    virtual void OnAdminNotice(uint8_t byte, const std::string &text, int64_t userId);
    virtual void OnRightsChanged(uint8_t level, int64_t userId);
    virtual void OnUserListReceived(std::span<const STRU_PLUGIN_USERINFO> records);
    virtual void OnUserEntered(const STRU_PLUGIN_USERINFO &record);
    virtual void OnUserLeft(int64_t userId);
    virtual void OnSeatChanged(uint8_t seat, uint8_t player, uint8_t valid, int64_t userId);
    virtual void OnSettlement(uint8_t phase, std::span<const TSettlementEntry> entries);
    virtual void OnNetDelay(int32_t delay, int64_t userId);
    virtual void OnKickNotice(uint8_t type, const std::string &reason, int64_t target, int64_t op);
    virtual void OnSnapshot(std::span<const uint8_t> snapshot);
    virtual void OnSeatTaken(const std::string &name, uint16_t face, uint8_t seat, int64_t userId);
    virtual void OnSeatLeft(uint8_t seat, int64_t userId);
    virtual void RequestResync();
    virtual void RequestSeat(uint8_t seat, bool sit);
    virtual void SendReady();
    virtual void SendGameRecord(std::string_view record, int64_t target);
    virtual void OnOptionsAccepted();
    virtual void ShowNotice(bool flash, const std::string &text);
    virtual void PlaySound(const std::string &fileName);
    virtual void ShowUserMenu(int64_t userId);
    virtual void OnHubStarted();
    virtual void OnHubClosing();
    virtual void OnOptionsLoaded();
    virtual void OnHubStopping();

    // The hub's view of the table, or nothing without a hub.
    bool GameRunning() const;
    void SetGameRunning(bool running);
    int64_t OwnUserId() const;
    uint8_t OwnSeat() const;
    bool OwnIsPlayer() const;
    bool WatcherMaySeeCards() const;
    std::string FaceFolder() const;

    // The table configuration.
    int32_t ValueA() const { return m_valueA; }
    int32_t ValueB() const { return m_valueB; }
    int32_t ValueC() const { return m_valueC; }
    int32_t ValueD() const { return m_valueD; }
    uint8_t ValueE() const { return m_valueE; }
    uint8_t ValueF() const { return m_valueF; }
    const TRulesBlock &Rules() const { return m_rules; }
    const std::vector<TRosterEntry> &Roster() const { return m_roster; }
    int32_t MinPlayerCount() const { return m_rules.MinPlayerCount; }

    // A copy of the roster entry, zero-filled when the id is not a positive roster id.
    TRosterEntry FindRosterEntry(int64_t userId) const;
    std::string RosterName(int64_t userId) const;
    int32_t RoundsPlayed(int64_t userId) const;
    int32_t RoundsRequired() const { return m_rules.RoundsRequired; }
    int ActiveRosterCount() const;
    bool HasPlayedEnough(int64_t userId) const;
    const std::string &BeanName() const { return m_rules.BeanName; }
    const std::string &GoldName() const { return m_rules.GoldName; }
    const std::string &ScoreName() const { return m_rules.ScoreName; }
    void ShowTip(const std::string &text);

protected:
    void ApplyConfiguration(const TTableConfiguration &config);

private:
    int32_t m_valueA = 0;
    int32_t m_valueB = 0;
    int32_t m_valueC = 0;
    int32_t m_valueD = 0;
    uint8_t m_valueE = 0;
    uint8_t m_valueF = 0;
    TRulesBlock m_rules;
    std::vector<TRosterEntry> m_roster;
};
