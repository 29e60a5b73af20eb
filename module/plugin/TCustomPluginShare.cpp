#include "plugin/TCustomPluginShare.h"

#include "common/CommonFunctions.h"
#include "common/Gbk.h"
#include "common/SoundPlayback.h"
#include "common/TIniFile.h"
#include "common/VersionInfo.h"
#include "platform/ModuleLocation.h"
#include "platform/TickCount.h"
#include "plugin/OutgoingPackets.h"
#include "widgets/QtText.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QIcon>
#include <QWidget>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <exception>

namespace PP = PluginPackets;

namespace {

template <typename... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

EHallRequestFailed::EHallRequestFailed(HRESULT result)
    : std::runtime_error("the hall refused a request")
    , Result(result) {}

TModuleIdentity TModuleIdentity::OfThisModule() {
    static const TModuleIdentity identity = [] {
        TModuleIdentity self;
        self.Folder = Platform::ModuleDirectory();
        TFileVersionInfomation info;
        if (ReadVersionInfo(Platform::ModuleFilePath(), info)) {
            self.ClassIdText = info.Comments;
            self.FileVersion = info.FileVersion;
            self.InternalName = info.InternalName;
            self.ProductName = info.ProductName;
            self.ProductVersion = info.ProductVersion;
        }
        return self;
    }();
    return identity;
}

TModuleIdentity TModuleIdentity::Of(std::string folder, std::string classIdText,
                                    std::string fileVersion, std::string internalName) {
    TModuleIdentity identity;
    identity.Folder = std::move(folder);
    identity.ClassIdText = std::move(classIdText);
    identity.FileVersion = std::move(fileVersion);
    identity.InternalName = std::move(internalName);
    return identity;
}

TCustomPluginShare::TCustomPluginShare(QObject *owner)
    : QObject(owner)
    , m_identity(TModuleIdentity::OfThisModule()) {}

TCustomPluginShare::~TCustomPluginShare() = default;
// ---- Components ------------------------------------------------------------------

template <typename Component>
void TCustomPluginShare::Attach(QPointer<Component> &slot, Component *value) {
    slot = value;
    if (value)
        value->SetPluginShare(this);
}

void TCustomPluginShare::SetPluginUser(TCustomPluginUser *value) {
    Attach(m_pluginUser, value);
}
void TCustomPluginShare::SetPluginChat(TCustomPluginChat *value) {
    Attach(m_pluginChat, value);
}
void TCustomPluginShare::SetPluginClient(TCustomPluginClient *value) {
    Attach(m_pluginClient, value);
}
void TCustomPluginShare::SetPluginScore(TCustomPluginScore *value) {
    Attach(m_pluginScore, value);
}
void TCustomPluginShare::SetPluginAction(TCustomPluginAction *value) {
    Attach(m_pluginAction, value);
}
void TCustomPluginShare::SetPluginDialog(TCustomPluginDialog *value) {
    Attach(m_pluginDialog, value);
}
void TCustomPluginShare::SetPluginOption(TCustomPluginOption *value) {
    Attach(m_pluginOption, value);
}
void TCustomPluginShare::SetPluginEvents(TCustomPluginEvents *value) {
    Attach(m_pluginEvents, value);
}
void TCustomPluginShare::SetPluginAdvice(TCustomPluginAdvice *value) {
    Attach(m_pluginAdvice, value);
}
void TCustomPluginShare::SetPluginTip(TCustomPluginTip *value) {
    Attach(m_pluginTip, value);
}
void TCustomPluginShare::SetLovelyMenu(QObject *value) {
    m_lovelyMenu = value;
}

void TCustomPluginShare::SetRefreshHook(std::function<void(void *)> hook, void *userData) {
    m_refreshHook = std::move(hook);
    m_refreshData = userData;
}

// The lifecycle operations run on the components in this order: player list, chat,
// game client, score, action editor, dialog, options.
enum class TLifecycle { Start, Stop, Options, BeforeStop };

template <typename Visitor> void TCustomPluginShare::ForEachLifecycle(Visitor &&visit) {
    if (m_pluginUser)
        visit(*m_pluginUser);
    if (m_pluginChat)
        visit(*m_pluginChat);
    if (m_pluginClient)
        visit(*m_pluginClient);
    if (m_pluginScore)
        visit(*m_pluginScore);
    if (m_pluginAction)
        visit(*m_pluginAction);
    if (m_pluginDialog)
        visit(*m_pluginDialog);
    if (m_pluginOption)
        visit(*m_pluginOption);
}

namespace {

template <typename Component> void RunLifecycle(Component &component, TLifecycle which) {
    if constexpr (std::is_same_v<Component, TCustomPluginClient>) {
        switch (which) {
        case TLifecycle::Start:
            return component.OnHubStarted();
        case TLifecycle::Stop:
            return component.OnHubClosing();
        case TLifecycle::Options:
            return component.OnOptionsLoaded();
        case TLifecycle::BeforeStop:
            return component.OnHubStopping();
        }
    } else {
        switch (which) {
        case TLifecycle::Start:
            return component.Initialize();
        case TLifecycle::Stop:
            return component.Finalize();
        case TLifecycle::Options:
            return component.LoadOptions();
        case TLifecycle::BeforeStop:
            return component.BeforeFinalize();
        }
    }
}

} // namespace

// ---- Attach, start and stop --------------------------------------------------------

void TCustomPluginShare::SetInterface(INimOpenInterfaceReq *request) {
    m_request = Platform::ComPtr<INimOpenInterfaceReq>(request);
    if (OnSetInterface)
        OnSetInterface(this);
    if (m_request) {
        const HRESULT result = m_request->ReadHallValue(&m_hallValue);
        if (FAILED(result))
            throw EHallRequestFailed(result);
    }
}

void TCustomPluginShare::StartPlugin(const TStartInfo &start) {
    m_lastShoutTick = Platform::GetTickCount();
    m_start = start;
    m_stopped = false;
    m_room.OwnUserId = start.UserId;
    m_room.OwnSeat = 0;
    m_room.OwnPlayer = false;

    std::string hallFolder;
    if (m_request) {
        std::vector<char> buffer(INimOpenInterfaceReq::HallPathSize, '\0');
        char *path = buffer.data();
        const HRESULT result = m_request->GetHallPath(start.TableKey, &path);
        if (FAILED(result))
            throw EHallRequestFailed(result);
        if (path == buffer.data())
            hallFolder.assign(buffer.data(), strnlen(buffer.data(), buffer.size() - 1));
    }
    m_paths = BuildModulePaths(m_identity.Folder, hallFolder, m_identity.ClassIdText);
    if (!m_settings || m_settings->FileName() != m_paths.SettingsFile)
        m_settings = std::make_unique<TIniFile>(m_paths.SettingsFile);
    LoadOptions();

    if (QWidget *window = Platform::WindowFromHandle(start.Window)) {
        const QString icon =
            QString::fromStdString(m_paths.ImageFolder + m_identity.InternalName + ".bmp");
        if (QFileInfo::exists(icon))
            window->setWindowIcon(QIcon(icon));
    }
    m_room.LoadLevels(*m_settings);
    ForEachLifecycle([](auto &component) { RunLifecycle(component, TLifecycle::Start); });
    if (OnInitialize)
        OnInitialize(this);
    if (!PassDuplicateGuard())
        return;
    m_configAcknowledged = false;
    RequestTableState();
}

// One computer, one seat per table: the guard window's title names the module and the
// table, so a second instance at the same table finds the first one's window.
bool TCustomPluginShare::PassDuplicateGuard() {
    char key[17];
    std::snprintf(key, sizeof key, "%llX", static_cast<unsigned long long>(m_start.TableKey));
    const std::string title = m_identity.ClassIdText + "-" + key;
    const bool ours = m_guard && m_guard->Title() == title;
    if (!ours && Platform::TTopLevelWindowEntry::Exists(GuardWindowClass, title)) {
        RefuseTable();
        if (m_pluginDialog) {
            PlaySound("Public_Error.wav");
            AskDialog("作弊嫌疑"_gbk, 0, "同一桌不可启动两个号,您不能坐在这里！"_gbk, 10);
        }
        StopPlugin();
        return false;
    }
    if (!ours) {
        m_guard = std::make_unique<Platform::TTopLevelWindowEntry>(GuardWindowClass, title);
        m_guardTitle = title;
    }
    return true;
}

// A guard that could not be written (no runtime folder to write in) has no title to
// lose: the table plays on unguarded rather than stopping at the first ready packet.
void TCustomPluginShare::RecheckGuard() {
    if (m_guard && m_guard->Registered() && m_guard->Title() != m_guardTitle)
        StopPlugin();
}

void TCustomPluginShare::StopPlugin() {
    if (m_stopped)
        return;
    PlaySound("Public_Exit.wav");
    m_stopped = true;
    // A stop runs only once, so a hall that refuses the leave notices must not cut it
    // short: the components still stop and the hall still hears of the end, and the
    // first refusal is reported afterwards.
    std::exception_ptr refusal;
    if (m_request) {
        try {
            const bool seated = OwnIsPlayer() && (m_pluginClient || m_gameRunning);
            if (seated)
                Send(PP::TableHeader(OwnUserId(), PP::Sub::LeaveSeat), 0, true);
            Send(PP::UserPacket(PP::Kind::Leave, OwnUserId()), 0, true);
        } catch (const EHallRequestFailed &) {
            refusal = std::current_exception();
        }
    }
    NotifyBeforeStop();
    ForEachLifecycle([](auto &component) { RunLifecycle(component, TLifecycle::Stop); });
    if (OnFinialize)
        OnFinialize(this);
    if (m_request) {
        const HRESULT result = m_request->PluginFinished(m_start.TableKey);
        if (FAILED(result) && !refusal)
            refusal = std::make_exception_ptr(EHallRequestFailed(result));
    }
    if (refusal)
        std::rethrow_exception(refusal);
}

void TCustomPluginShare::NotifyBeforeStop() {
    ForEachLifecycle([](auto &component) { RunLifecycle(component, TLifecycle::BeforeStop); });
}

void TCustomPluginShare::LoadOptions() {
    if (m_settings) {
        m_haveSound = m_settings->ReadBool("Option", "HaveSound", true);
        m_needShout = m_settings->ReadBool("Option", "NeedShout", true);
    }
    ForEachLifecycle([](auto &component) { RunLifecycle(component, TLifecycle::Options); });
}

// The window never closes by itself: leaving runs through the stop, after which the
// hall releases the module.
void TCustomPluginShare::CloseQuery(QObject *, bool &canClose) {
    canClose = false;
    if (!m_pluginDialog || !m_pluginClient) {
        StopPlugin();
        return;
    }
    if (m_closeQuerying || DialogBusy())
        return;
    std::string text = "您确定真的要退出游戏吗？"_gbk;
    std::string caption = "确认"_gbk;
    const std::string penalty =
        "\r\n将会扣除您的"_gbk + ScoreName() + "或"_gbk + BeanName() + "! "_gbk;
    const TRulesBlock &rules = m_pluginClient->Rules();
    const bool free =
        !OwnIsPlayer() || m_pluginClient->CanLeaveFreely() ||
        (!rules.MatchFlag && rules.LeavePenaltyScore == 0 && rules.LeavePenaltyBeans == 0);
    if (!free) {
        if (rules.MatchFlag) {
            text = "正在比赛中，您确定要退出比赛吗？"_gbk;
            caption = "警告"_gbk;
        } else if (!m_gameRunning || rules.RoundsRuleInPlay) {
            if (!m_pluginClient->HasPlayedEnough(OwnUserId())) {
                text = "您已经玩"_gbk + std::to_string(m_pluginClient->RoundsPlayed(OwnUserId())) +
                       "局,未玩满"_gbk + std::to_string(m_pluginClient->RoundsRequired()) +
                       "局,退出"_gbk + penalty;
                caption = "警告"_gbk;
            }
        } else {
            text = "正在游戏中,如果您现在退出,"_gbk + penalty;
            caption = "警告"_gbk;
        }
    }
    m_closeQuerying = true;
    bool accepted = false;
    try {
        accepted = AskDialog(caption, 1, text, 30);
    } catch (...) {
        m_closeQuerying = false;
        throw;
    }
    m_closeQuerying = false;
    if (accepted)
        StopPlugin();
}

// ---- Intake and dispatch -----------------------------------------------------------

void TCustomPluginShare::ReceivePacket(int len, const uint8_t *data) {
    if (len <= 0 || !data)
        return;
    if (OnPrepCommand)
        OnPrepCommand(this, len, data);
    m_pendingLength = len;
    m_pendingData = data;
    // Without a main window yet, the packet is dispatched here rather than lost.
    if (Platform::WindowFromHandle(m_start.Window))
        Platform::SendMessage(m_start.Window, WM_DISPATCHPACKET, 0, 0);
    else
        DispatchPacket();
}

void TCustomPluginShare::DispatchPacket() {
    if (!m_pendingData || m_pendingLength <= 0)
        return;
    // The hall's buffer is only lent for this one dispatch: a later dispatch message
    // must not read it again once ReceivePacket has returned.
    const std::span<const uint8_t> bytes(m_pendingData, static_cast<size_t>(m_pendingLength));
    m_pendingData = nullptr;
    m_pendingLength = 0;
    if (const auto packet = PP::Decode(bytes))
        Dispatch(*packet);
}

void TCustomPluginShare::Dispatch(const PP::Packet &packet) {
    std::visit(
        Overloaded{
            [](const PP::Ignored &) {},
            [this](const PP::GameRecord &p) { ReceiveGameRecord(p.Payload, p.Sender); },
            [this](const PP::TableSnapshot &p) { ReceiveTableSnapshot(p.Payload); },
            [this](const PP::SeatReady &p) {
                RecheckGuard();
                if (!p.Ready)
                    return;
                const auto *user = m_room.FindUser(p.UserId);
                SeatReady(user ? user->Seat : 0);
            },
            [this](const PP::ExpelNotice &p) {
                ExpelNotice(p.Phase, p.Reason, p.Target, p.Initiator);
            },
            [this](const PP::SafeBoxReply &p) { SafeBoxReply(p.Payload); },
            [this](const PP::WatchPermission &p) {
                if (p.Target == OwnUserId())
                    WatchPermissionReceived(p.Allowed);
            },
            [this](const PP::GameStart &) { GameStarted(); },
            [this](const PP::GameOver &) { GameOver(); },
            [this](const PP::TableText &p) { HandleTableText(p); },
            [this](const PP::AdminNotice &p) { AdminNotice(p.Byte, p.Text, p.UserId); },
            [this](const PP::Mood &p) { MoodReceived(p.Seat, p.Text, p.UserId, p.Target); },
            [this](const PP::GameChannel &p) {
                if (p.Channel == 0)
                    GameChannel0(p.Value, p.UserId);
                else if (p.Channel == 1)
                    GameChannel1(p.Value, p.UserId);
                else
                    GameChannel2(p.Value, p.Data, p.UserId);
            },
            [this](const PP::RightsChange &p) { RightsChanged(p.Level, p.UserId); },
            [this](const PP::UserList &p) {
                if (!p.Overflow) {
                    UserListReceived(p.Records);
                    return;
                }
                // More than a list may hold: the first 200 join, then the handling ends
                // without telling the panels.
                for (const auto &record : p.Records)
                    AddListedUser(record);
                throw EUserListOverflow();
            },
            [this](const PP::UserEnter &p) { UserEntered(p.Record); },
            [this](const PP::UserLeave &p) { UserLeft(p.UserId); },
            [this](const PP::SeatChange &p) { SeatChanged(p.Seat, p.Player, p.Valid, p.UserId); },
            [this](const PP::Settlement &p) { SettlementReceived(p.Phase, p.Entries); },
            [this](const PP::KickNotice &p) { KickNotice(p.Type, p.Reason, p.Target, p.Operator); },
            [this](const PP::NetDelay &p) { NetDelayReceived(p.Delay, p.UserId); },
            [this](const PP::RelayText &p) { RelayChatLine(p.Text, p.SenderOrKind); },
            [this](const PP::AuthChallenge &p) { AnswerChallenge(p); },
        },
        packet);
}

void TCustomPluginShare::HandleTableText(const PP::TableText &text) {
    switch (text.Sub) {
    case PP::Sub::ServerText:
        return ServerText(text.Text);
    case PP::Sub::Broadcast:
        if (m_needShout || text.Sender == OwnUserId())
            BroadcastReceived(text.Text);
        return;
    case PP::Sub::Chat:
        if (text.Sender != OwnUserId() && !m_room.IsBlocked(text.Sender))
            ChatLineReceived(text.Text, text.Sender);
        return;
    case PP::Sub::ColoredText:
        return ColoredText(text.Text);
    case PP::Sub::AdminList:
        return AdminListReceived(text.Text, text.Sender);
    case PP::Sub::MutedList:
        return MutedListReceived(text.Text, text.Sender);
    case PP::Sub::List147:
        return ListReceived147(text.Text, text.Sender);
    default:
        return;
    }
}

// The answer proves the client: a digest of the challenge and the client's own data.
void TCustomPluginShare::AnswerChallenge(const PP::AuthChallenge &challenge) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArrayView(challenge.Challenge.data(), challenge.Challenge.size()));
    if (m_pluginClient) {
        hash.addData(QByteArray::fromStdString(m_pluginClient->GetAuthData1()));
        hash.addData(QByteArray::fromStdString(m_pluginClient->GetAuthData2()));
    }
    const QByteArray digest = hash.result();
    std::array<uint8_t, PP::AuthBlockSize> answer{};
    std::memcpy(answer.data(), digest.constData(), answer.size());
    Send(PP::AuthAnswerPacket(answer), 0, true);
}

// ---- Game traffic --------------------------------------------------------------------

void TCustomPluginShare::GameChannel0(int32_t value, int64_t userId) {
    if (m_pluginClient)
        m_pluginClient->OnGameChannel0(value, userId);
}

void TCustomPluginShare::GameChannel1(int32_t value, int64_t userId) {
    if (m_pluginClient)
        m_pluginClient->OnGameChannel1(value, userId);
}

void TCustomPluginShare::GameChannel2(int32_t value, std::span<const uint8_t> data,
                                      int64_t userId) {
    if (m_pluginClient)
        m_pluginClient->OnGameChannel2(value, data, userId);
}

void TCustomPluginShare::ReceiveGameRecord(std::span<const uint8_t> record, int64_t sender) {
    if (!m_refused && m_pluginClient)
        m_pluginClient->OnGameRecord(record, sender);
}

void TCustomPluginShare::ReceiveTableSnapshot(std::span<const uint8_t> snapshot) {
    if (m_pluginClient)
        m_pluginClient->OnSnapshot(snapshot);
}

void TCustomPluginShare::SeatReady(int seat) {
    PlaySound("Ready.wav");
    if (m_pluginClient)
        m_pluginClient->OnSeatReady(seat);
}

void TCustomPluginShare::WatchPermissionReceived(bool flag) {
    m_watcherMaySeeCards = flag;
    if (m_pluginClient)
        m_pluginClient->OnWatchPermission(flag);
}

void TCustomPluginShare::SafeBoxReply(std::span<const uint8_t> payload) {
    if (m_pluginClient)
        m_pluginClient->OnSafeBoxReply(payload);
}

void TCustomPluginShare::GameStarted() {
    if (!m_gameRunning) {
        RelayChatLine("****游戏开始****"_gbk, LineSystem);
        PlaySound("Start.wav");
    }
    m_gameRunning = true;
    if (m_pluginClient)
        m_pluginClient->OnGameStart();
    if (m_pluginScore)
        m_pluginScore->hide();
}

void TCustomPluginShare::GameOver() {
    if (m_gameRunning)
        RelayChatLine("****游戏结束****"_gbk, LineSystem);
    PlaySound("GameOver.wav");
    m_gameRunning = false;
    if (m_pluginClient)
        m_pluginClient->OnGameOver();
}

void TCustomPluginShare::ConfigurationReceived(const TRulesBlock &rules) {
    if (m_pluginUser)
        m_pluginUser->SetHideInfo(rules.HideNames);
    SetChatLocked(rules.ChatLocked);
    if (rules.MatchFlag) {
        m_menuEnabled = false;
        SetChatLocked(true);
    }
    if (!m_configAcknowledged) {
        Send(PP::UserPacket(PP::Kind::ConfigAck, OwnUserId()), 0, true);
        m_configAcknowledged = true;
    }
    if (m_pluginUser)
        m_pluginUser->ConfigurationApplied();
}

void TCustomPluginShare::SetChatLocked(bool locked) {
    m_chatLocked = locked;
    if (m_pluginChat)
        m_pluginChat->SetLocked(locked);
}

// ---- Sending -----------------------------------------------------------------------

void TCustomPluginShare::Send(std::string_view packet, int64_t target, bool exempt) {
    if (!m_request || (m_refused && !exempt))
        return;
    const HRESULT result =
        m_request->SendData(m_start.TableKey, target, static_cast<int32_t>(packet.size()),
                            reinterpret_cast<const uint8_t *>(packet.data()));
    if (FAILED(result))
        throw EHallRequestFailed(result);
}

void TCustomPluginShare::RequestTableState() {
    Send(PP::TableHeader(OwnUserId(), PP::Sub::TableStateRequest));
}

void TCustomPluginShare::SendReady() {
    if (m_pluginScore)
        m_pluginScore->hide();
    Send(PP::TableHeader(OwnUserId(), PP::Sub::Ready));
}

void TCustomPluginShare::SendGameRecord(std::string_view record, int64_t target) {
    Send(PP::GameRecordPacket(OwnUserId(), record), target);
}

void TCustomPluginShare::SendExpel(uint8_t phase, const std::string &reason, int64_t target) {
    Send(PP::ExpelPacket(OwnUserId(), target, phase,
                         Gbk::LeftCharacters(reason, PP::ExpelReasonSize)));
}

void TCustomPluginShare::SendAdminNotice(const std::string &text) {
    Send(PP::AdminNoticePacket(OwnUserId(), text));
}

void TCustomPluginShare::RequestSeat(uint8_t seat, bool sit) {
    if (m_refused || (sit == OwnIsPlayer() && seat == OwnSeat()))
        return;
    Send(PP::SeatRequestPacket(seat, sit));
}

void TCustomPluginShare::WatchPermission(bool flag, int64_t userId) {
    Send(PP::WatchPermissionPacket(OwnUserId(), userId, flag));
}

void TCustomPluginShare::SendMood(uint8_t seat, const std::string &mood, int64_t, int64_t target) {
    Send(PP::MoodPacket(OwnUserId(), target, seat, mood));
}

void TCustomPluginShare::SendKick(uint8_t type, const std::string &reason, int64_t target) {
    Send(PP::KickPacket(type, target, reason));
}

// ---- Panels ------------------------------------------------------------------------

void TCustomPluginShare::ShowActions() {
    if (m_pluginAction)
        m_pluginAction->ShowActions();
}

void TCustomPluginShare::ShowOptions() {
    if (m_pluginOption)
        m_pluginOption->ShowOptions();
}

void TCustomPluginShare::OptionsAccepted() {
    if (m_pluginClient)
        m_pluginClient->OnOptionsAccepted();
}

void TCustomPluginShare::InsertChatText(const std::string &text, bool keepSelection) {
    if (m_pluginChat)
        m_pluginChat->InsertText(text, keepSelection);
}

void TCustomPluginShare::PlaySound(const std::string &fileName) {
    if (m_haveSound && m_windowShown && !m_paths.SoundFolder.empty())
        PlayModuleSound(m_paths.SoundFolder, fileName);
}

void TCustomPluginShare::ShowUserMenu(int64_t userId) {
    if (m_menuEnabled)
        emit UserMenuRequested(userId);
}

// ---- Look-ups ----------------------------------------------------------------------

const STRU_PLUGIN_USERINFO *TCustomPluginShare::FindUser(int64_t userId) const {
    return m_room.FindUser(userId);
}

bool TCustomPluginShare::NamesHidden() const {
    return !m_pluginUser || m_pluginUser->HideInfo();
}

std::string TCustomPluginShare::FilteredName(const STRU_PLUGIN_USERINFO &record) const {
    return KeepChars(record.NicknameText(), PrintableChars());
}

std::string TCustomPluginShare::UserDisplayName(int64_t userId) const {
    if (NamesHidden() && userId != OwnUserId())
        return "****";
    if (const auto *user = m_room.FindUser(userId))
        return FilteredName(*user);
    if (m_pluginClient)
        return KeepChars(m_pluginClient->RosterName(userId), PrintableChars());
    return "<" + std::to_string(userId) + ">";
}

bool TCustomPluginShare::IsAdministrator(int64_t userId) const {
    return TRoomState::OnList(m_room.AdminIds, userId);
}

bool TCustomPluginShare::IsMuted(int64_t userId) const {
    return TRoomState::OnList(m_room.MutedIds, userId);
}

bool TCustomPluginShare::IsOnList147(int64_t userId) const {
    return TRoomState::OnList(m_room.List147, userId);
}

std::string TCustomPluginShare::LevelName(int64_t beans, int64_t score) const {
    return m_room.LevelName(beans, score);
}

std::string TCustomPluginShare::BeanName() const {
    return m_pluginClient ? m_pluginClient->BeanName() : "游戏豆"_gbk;
}

std::string TCustomPluginShare::GoldName() const {
    return m_pluginClient ? m_pluginClient->GoldName() : "Kep币"_gbk;
}

std::string TCustomPluginShare::ScoreName() const {
    return m_pluginClient ? m_pluginClient->ScoreName() : "积分"_gbk;
}
