#pragma once
// The hub: every packet of the table comes in through ReceivePacket and is dispatched
// here, every packet to the server leaves through one of the send operations, and the
// panels and the game client reach each other only through the hub's operations. The
// hub holds the components by non-owning references that clear themselves when a
// component is destroyed; a call into a missing component is skipped.

#include "common/ModulePaths.h"
#include "platform/ComPtr.h"
#include "platform/TTopLevelWindowEntry.h"
#include "platform/WindowMessages.h"
#include "plugin/INimOpenInterfaceReq.h"
#include "plugin/PluginPackets.h"
#include "plugin/TCustomPluginAction.h"
#include "plugin/TCustomPluginAdvice.h"
#include "plugin/TCustomPluginChat.h"
#include "plugin/TCustomPluginClient.h"
#include "plugin/TCustomPluginDialog.h"
#include "plugin/TCustomPluginEvents.h"
#include "plugin/TCustomPluginOption.h"
#include "plugin/TCustomPluginScore.h"
#include "plugin/TCustomPluginTip.h"
#include "plugin/TCustomPluginUser.h"
#include "plugin/TRoomState.h"
#include "plugin/TTableConfiguration.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

class TIniFile;

// A failure result from the hall: it ends the operation that made the request.
class EHallRequestFailed : public std::runtime_error {
public:
    explicit EHallRequestFailed(HRESULT result);
    const HRESULT Result;
};

// A user list longer than the room holds: the first entries join, then the packet ends.
class EUserListOverflow : public std::out_of_range {
public:
    EUserListOverflow()
        : std::out_of_range("user list longer than 200 entries") {}
};

// What the module knows of its own file: where it lies, its class identifier in
// braced text, and its version strings.
struct TModuleIdentity {
    std::string Folder;
    std::string ClassIdText;
    std::string FileVersion;
    std::string InternalName;
    std::string ProductName;
    std::string ProductVersion;

    // The identity of the loaded module, read once from its version resource.
    static TModuleIdentity OfThisModule();
    // An identity given by hand, for a module placed elsewhere (tests, tools).
    static TModuleIdentity Of(std::string folder, std::string classIdText,
                              std::string fileVersion = "1", std::string internalName = {});
};

// What the hall says when it starts the module at a table.
struct TStartInfo {
    int64_t TableKey = 0;
    Platform::HWND Window = 0;
    std::string Title;
    int64_t UserId = 0;
    std::string Nickname;
    int32_t Extra = 0;
};

class TCustomPluginShare : public QObject {
    Q_OBJECT

public:
    // The private message through which a delivered packet reaches the main window.
    static constexpr uint32_t WM_DISPATCHPACKET = Platform::WM_USER + 13;
    // Line kinds of the chat view; above FirstUserLineKind a line's kind is its sender.
    static constexpr int64_t LineHall = 0;
    static constexpr int64_t LineTip = 1;
    static constexpr int64_t LineResult = 6;
    static constexpr int64_t LineNotice = 7;
    static constexpr int64_t LineSystem = 8;
    static constexpr int64_t LineBroadcast = 10;
    static constexpr int64_t LineAdminLeaving = 11;
    static constexpr int64_t FirstUserLineKind = 10000;
    // The class of the invisible window that marks this module's seat at a table.
    static constexpr const char *GuardWindowClass = "T1A55E3";

    using TNotifyEvent = std::function<void(QObject *Sender)>;
    using TChatTextEvent =
        std::function<void(QObject *Sender, int64_t aint64From, const std::string &astrText)>;
    using TCommandEvent =
        std::function<void(QObject *Sender, int aiLen, const uint8_t *alpPackData)>;
    using TPluginUserEvent =
        std::function<void(QObject *Sender, const STRU_PLUGIN_USERINFO *alpUserInfo)>;

    explicit TCustomPluginShare(QObject *owner = nullptr);
    ~TCustomPluginShare() override;

    // Components. Setting one attaches it: it gets its reference back to the hub.
    TCustomPluginUser *PluginUser() const { return m_pluginUser; }
    TCustomPluginChat *PluginChat() const { return m_pluginChat; }
    TCustomPluginClient *PluginClient() const { return m_pluginClient; }
    TCustomPluginScore *PluginScore() const { return m_pluginScore; }
    TCustomPluginAction *PluginAction() const { return m_pluginAction; }
    TCustomPluginDialog *PluginDialog() const { return m_pluginDialog; }
    TCustomPluginOption *PluginOption() const { return m_pluginOption; }
    TCustomPluginEvents *PluginEvents() const { return m_pluginEvents; }
    TCustomPluginAdvice *PluginAdvice() const { return m_pluginAdvice; }
    TCustomPluginTip *PluginTip() const { return m_pluginTip; }
    QObject *LovelyMenu() const { return m_lovelyMenu; }
    bool CloseQuerying() const { return m_closeQuerying; }

    virtual void SetPluginUser(TCustomPluginUser *value);
    virtual void SetPluginChat(TCustomPluginChat *value);
    virtual void SetPluginClient(TCustomPluginClient *value);
    virtual void SetPluginScore(TCustomPluginScore *value);
    virtual void SetPluginAction(TCustomPluginAction *value);
    virtual void SetPluginDialog(TCustomPluginDialog *value);
    virtual void SetPluginOption(TCustomPluginOption *value);
    virtual void SetPluginEvents(TCustomPluginEvents *value);
    virtual void SetPluginAdvice(TCustomPluginAdvice *value);
    virtual void SetPluginTip(TCustomPluginTip *value);
    void SetLovelyMenu(QObject *value);

    TNotifyEvent OnInitialize;
    TNotifyEvent OnFinialize;
    TNotifyEvent OnSetInterface;
    TChatTextEvent OnChatText;
    TCommandEvent OnPrepCommand;
    // Declared for panels that listen; the hub never fires them.
    TNotifyEvent OnUserList;
    TPluginUserEvent OnAddUser;
    TPluginUserEvent OnDeleteUser;

    // Operations, in contract order.
    virtual void SetInterface(INimOpenInterfaceReq *request);
    virtual void CloseQuery(QObject *sender, bool &canClose);
    virtual void GameChannel0(int32_t value, int64_t userId);
    virtual void GameChannel1(int32_t value, int64_t userId);
    virtual void GameChannel2(int32_t value, std::span<const uint8_t> data, int64_t userId);
    virtual void ReceiveGameRecord(std::span<const uint8_t> record, int64_t sender);
    virtual void ReceiveTableSnapshot(std::span<const uint8_t> snapshot);
    virtual void SeatReady(int seat);
    virtual void WatchPermissionReceived(bool flag);
    virtual void MoodReceived(uint8_t seat, const std::string &mood, int64_t userId,
                              int64_t target);
    virtual void GameStarted();
    virtual void GameOver();
    virtual void ServerText(const std::string &text);
    virtual void ColoredText(const std::string &text);
    virtual void ExpelNotice(uint8_t phase, const std::string &reason, int64_t target,
                             int64_t initiator);
    virtual void AdminNotice(uint8_t byte, const std::string &text, int64_t userId);
    virtual void RightsChanged(uint8_t level, int64_t userId);
    virtual void UserListReceived(std::span<const STRU_PLUGIN_USERINFO> records);
    virtual void UserEntered(const STRU_PLUGIN_USERINFO &record);
    virtual void UserLeft(int64_t userId);
    virtual void SeatChanged(uint8_t seat, uint8_t player, uint8_t valid, int64_t userId);
    virtual void SettlementReceived(uint8_t phase, std::span<const TSettlementEntry> entries);
    virtual void ShowEventsText(const std::string &text);
    virtual void RelayChatLine(const std::string &text, int64_t kind);
    virtual void SafeBoxReply(std::span<const uint8_t> payload);
    virtual void NetDelayReceived(int32_t delay, int64_t userId);
    virtual void KickNotice(uint8_t type, const std::string &reason, int64_t target, int64_t op);
    virtual void UserSatDown(const std::string &name, uint16_t face, uint8_t seat, int64_t userId);
    virtual void UserStoodUp(uint8_t seat, int64_t userId);
    virtual void ChatLineReceived(const std::string &text, int64_t sender);
    virtual void BroadcastReceived(const std::string &text);
    virtual void AdminListReceived(const std::string &text, int64_t userId);
    virtual void ListReceived147(const std::string &text, int64_t userId);
    virtual void MutedListReceived(const std::string &text, int64_t userId);
    virtual void StartPlugin(const TStartInfo &start);
    virtual void StopPlugin();
    virtual void ReceivePacket(int len, const uint8_t *data);
    virtual void SendExpel(uint8_t phase, const std::string &reason, int64_t target);
    virtual void SendAdminNotice(const std::string &text);
    virtual void RequestSeat(uint8_t seat, bool sit);
    virtual void SendReady();
    virtual void SendGameRecord(std::string_view record, int64_t target);
    virtual void SendSay(const std::string &text);
    virtual void WatchPermission(bool flag, int64_t userId);
    virtual void SendMood(uint8_t seat, const std::string &mood, int64_t userId, int64_t target);
    virtual void SendKick(uint8_t type, const std::string &reason, int64_t target);
    virtual void ProposeKick(uint8_t type, int64_t target);
    virtual void ShowNotice(bool flash, const std::string &text);
    virtual void ShowActions();
    virtual void ShowOptions();
    virtual void OptionsAccepted();
    virtual void InsertChatText(const std::string &text, bool keepSelection);
    virtual void PlaySound(const std::string &fileName);
    virtual void ShowUserMenu(int64_t userId);
    virtual void LoadOptions();
    virtual void NotifyBeforeStop();

    // Intake: dispatches the pending packet (the main window's WM_USER + 13 handler).
    void DispatchPacket();
    void RequestTableState();

    // Look-ups for the components.
    const STRU_PLUGIN_USERINFO *FindUser(int64_t userId) const;
    std::string UserDisplayName(int64_t userId) const;
    bool IsAdministrator(int64_t userId) const;
    bool IsMuted(int64_t userId) const;
    bool IsOnList147(int64_t userId) const;
    std::string LevelName(int64_t beans, int64_t score) const;
    std::string BeanName() const;
    std::string GoldName() const;
    std::string ScoreName() const;
    void ShowTip(const std::string &text);
    // A broadcast to the whole hall: 0 when it was sent, 1 when it was refused.
    int SendShout(const std::string &text);
    void SetChatLocked(bool locked);
    bool ChatLocked() const { return m_chatLocked; }
    // The parts of a table configuration that concern the hub; the client calls it.
    void ConfigurationReceived(const TRulesBlock &rules);

    // Table state.
    const TRoomState &Room() const { return m_room; }
    TRoomState &Room() { return m_room; }
    int64_t OwnUserId() const { return m_room.OwnUserId; }
    uint8_t OwnSeat() const { return m_room.OwnSeat; }
    bool OwnIsPlayer() const { return m_room.OwnPlayer; }
    uint8_t OwnRights() const { return m_room.OwnRights; }
    bool GameRunning() const { return m_gameRunning; }
    void SetGameRunning(bool running) { m_gameRunning = running; }
    bool WatcherMaySeeCards() const { return m_watcherMaySeeCards; }
    bool Refused() const { return m_refused; }
    bool Stopped() const { return m_stopped; }
    const TStartInfo &Start() const { return m_start; }
    const TModulePaths &Paths() const { return m_paths; }
    const TModuleIdentity &Identity() const { return m_identity; }
    void SetIdentity(const TModuleIdentity &identity) { m_identity = identity; }
    TIniFile *Settings() const { return m_settings.get(); }
    bool HaveSound() const { return m_haveSound; }
    bool NeedShout() const { return m_needShout; }
    bool WindowShown() const { return m_windowShown; }
    void SetWindowShown(bool shown) { m_windowShown = shown; }
    bool MenuEnabled() const { return m_menuEnabled; }
    void SetMenuEnabled(bool enabled) { m_menuEnabled = enabled; }
    int32_t HallValue() const { return m_hallValue; }
    // Called after every settlement, with the user data given here.
    void SetRefreshHook(std::function<void(void *)> hook, void *userData);

signals:
    // The player menu is wanted for this user (and is enabled).
    void UserMenuRequested(int64_t userId);

protected:
    // Sends one packet through the hall. `exempt` packets go out even while the table
    // is refused: the stop's leave notices, list requests, the configuration
    // acknowledgement and the authentication answer.
    void Send(std::string_view packet, int64_t target = 0, bool exempt = false);
    void RefuseTable() { m_refused = true; }
    // Runs the message dialog: true when the answer was OK (1 or 6).
    bool AskDialog(const std::string &caption, uint8_t kind, const std::string &text, int life,
                   const std::optional<std::vector<std::string>> &items = std::nullopt);
    bool DialogBusy() const;

private:
    void Dispatch(const PluginPackets::Packet &packet);
    // False when another instance of the module already sits at this table.
    bool PassDuplicateGuard();
    void RecheckGuard();
    void HandleTableText(const PluginPackets::TableText &text);
    void AnswerChallenge(const PluginPackets::AuthChallenge &challenge);
    void ColoredTextLine(const std::string &text);
    std::string FilteredName(const STRU_PLUGIN_USERINFO &record) const;
    bool NamesHidden() const;
    std::string ReadMood() const;
    void EvictSeatHolder(const STRU_PLUGIN_USERINFO &record);
    void AddListedUser(const STRU_PLUGIN_USERINFO &record);
    bool WordsAllowed(const std::string &text);
    std::optional<std::string> ExpandAction(const std::string &text);
    void TakeOverOwnSeat(const STRU_PLUGIN_USERINFO &record);
    void AskListsAbout(int64_t userId);
    void SettleEntry(const TSettlementEntry &entry, size_t position, bool lines, bool counters,
                     std::string *scoreText, std::string *beanText);
    template <typename Component> void Attach(QPointer<Component> &slot, Component *value);
    template <typename Visitor> void ForEachLifecycle(Visitor &&visit);

    QPointer<TCustomPluginUser> m_pluginUser;
    QPointer<TCustomPluginChat> m_pluginChat;
    QPointer<TCustomPluginClient> m_pluginClient;
    QPointer<TCustomPluginScore> m_pluginScore;
    QPointer<TCustomPluginAction> m_pluginAction;
    QPointer<TCustomPluginDialog> m_pluginDialog;
    QPointer<TCustomPluginOption> m_pluginOption;
    QPointer<TCustomPluginEvents> m_pluginEvents;
    QPointer<TCustomPluginAdvice> m_pluginAdvice;
    QPointer<TCustomPluginTip> m_pluginTip;
    QPointer<QObject> m_lovelyMenu;

    Platform::ComPtr<INimOpenInterfaceReq> m_request;
    int32_t m_hallValue = 0;
    TStartInfo m_start;
    TModuleIdentity m_identity;
    TModulePaths m_paths;
    std::unique_ptr<TIniFile> m_settings;
    TRoomState m_room;
    std::unique_ptr<Platform::TTopLevelWindowEntry> m_guard;
    std::string m_guardTitle;

    // The packet being delivered: the hall's buffer, valid only during ReceivePacket.
    int m_pendingLength = 0;
    const uint8_t *m_pendingData = nullptr;

    bool m_gameRunning = false;
    bool m_watcherMaySeeCards = false;
    bool m_refused = false;
    bool m_stopped = false;
    bool m_closeQuerying = false;
    bool m_configAcknowledged = false;
    bool m_haveSound = true;
    bool m_needShout = true;
    bool m_windowShown = true;
    bool m_menuEnabled = true;
    bool m_chatLocked = false;
    uint32_t m_lastShoutTick = 0;
    std::string m_lastShout;
    std::function<void(void *)> m_refreshHook;
    void *m_refreshData = nullptr;
};
