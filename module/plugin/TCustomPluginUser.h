#pragma once

#include "plugin/PluginRecords.h"
#include "plugin/TPluginHubLink.h"
#include "widgets/TLovelyPanel.h"

#include <span>
#include <string>

// The player list panel's contract with the hub.
class TCustomPluginUser : public TLovelyPanel, public TPluginHubLink {
    Q_OBJECT

public:
    explicit TCustomPluginUser(QWidget *parent = nullptr);

    bool CanLook() const { return m_canLook; }
    bool HideInfo() const { return m_hideInfo; }

    virtual void SetCanLook(bool flag);
    virtual void SetHideInfo(bool flag);
    virtual int64_t SelectedUserId();
    virtual void SelectUser(int64_t userId);
    virtual void UserRightsChanged(uint8_t level, int64_t userId);
    virtual void AddUsers(std::span<const STRU_PLUGIN_USERINFO> records);
    virtual void UpdateUser(const STRU_PLUGIN_USERINFO &record);
    virtual void RemoveUser(int64_t userId);
    virtual void SetUserSeat(uint8_t seat, uint8_t player, uint8_t valid, int64_t userId);
    virtual void SetScores(uint8_t phase, std::span<const TSettlementEntry> entries);
    virtual void UserNetDelayChanged(int32_t delay, int64_t userId);
    virtual void AdminListChanged(const std::string &text, int64_t userId);
    virtual void List147Changed(const std::string &text, int64_t userId);
    virtual void InsertChatText(const std::string &text, bool keepSelection);
    virtual void AddScores(uint8_t phase, std::span<const TSettlementEntry> entries);
    virtual void ConfigurationApplied();
    virtual void PlaySound(const std::string &fileName);
    virtual void ShowUserMenu(int64_t userId);
    virtual void Initialize();
    virtual void Finalize();
    virtual void LoadOptions();
    virtual void BeforeFinalize();

protected:
    // A watcher of the local player's own seat may see the cards when the local player
    // allows it: the permission follows the can-look flag automatically.
    void AutoPermission(uint8_t seat, int64_t userId);

private:
    bool m_canLook = false;
    bool m_hideInfo = false;
};
