#include "plugin/TCustomPluginShare.h"

#include "common/CommonFunctions.h"
#include "common/Gbk.h"
#include "common/SoundPlayback.h"
#include "common/TIniFile.h"
#include "common/VersionInfo.h"
#include "platform/ModuleLocation.h"
#include "platform/TickCount.h"
#include "plugin/OutgoingPackets.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QIcon>
#include <QWidget>

#include <charconv>
#include <cstdio>
#include <cstring>

namespace PP = PluginPackets;

namespace {

// Line kinds of the chat view.
constexpr int64_t LineResult = 6;
constexpr int64_t LineNotice = 7;
constexpr int64_t LineSystem = 8;
constexpr int64_t LineBroadcast = 10;
constexpr int64_t LineAdminLeaving = 11;
// Above this, a line's kind is its sender's user id.
constexpr int64_t FirstUserLineKind = 10000;

constexpr char Bell = '\a';
constexpr size_t MaxChatBytes = 200;
constexpr int MoodCharacters = 20;

template <typename... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

std::optional<int64_t> ParseInt64(std::string_view text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

QString ToQString(const std::string &gbk) {
    const std::u16string utf16 = Gbk::ToUtf16(gbk);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

// "%1" becomes the own name and "%2" the target's; names put in are not scanned again.
std::string FillTemplate(std::string_view text, const std::string &own, const std::string &target) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            out += text[i + 1] == '1' ? own : target;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

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

void TCustomPluginShare::RecheckGuard() {
    if (m_guard && m_guard->Title() != m_guardTitle)
        StopPlugin();
}

void TCustomPluginShare::StopPlugin() {
    if (m_stopped)
        return;
    PlaySound("Public_Exit.wav");
    m_stopped = true;
    if (m_request) {
        const bool seated = OwnIsPlayer() && (m_pluginClient || m_gameRunning);
        if (seated)
            Send(PP::TableHeader(OwnUserId(), PP::Sub::LeaveSeat), 0, true);
        Send(PP::UserPacket(PP::Kind::Leave, OwnUserId()), 0, true);
    }
    NotifyBeforeStop();
    ForEachLifecycle([](auto &component) { RunLifecycle(component, TLifecycle::Stop); });
    if (OnFinialize)
        OnFinialize(this);
    if (m_request) {
        const HRESULT result = m_request->PluginFinished(m_start.TableKey);
        if (FAILED(result))
            throw EHallRequestFailed(result);
    }
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
    const std::span<const uint8_t> bytes(m_pendingData, static_cast<size_t>(m_pendingLength));
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
                throw std::out_of_range("user list longer than 200 entries");
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

// ---- Texts from the server -----------------------------------------------------------

void TCustomPluginShare::ServerText(const std::string &text) {
    if (text.starts_with("@$")) {
        ShowEventsText(text);
        return;
    }
    if (m_pluginClient)
        m_pluginClient->OnServerText(text);
    if (m_pluginChat)
        m_pluginChat->AddLine(text, LineNotice);
}

void TCustomPluginShare::ShowEventsText(const std::string &text) {
    if (m_pluginEvents)
        m_pluginEvents->ShowEvent(text);
}

// "n@text": the text goes out as a line of kind n; a kind of 0 or no number drops it.
void TCustomPluginShare::ColoredText(const std::string &text) {
    const size_t at = text.find('@');
    if (at == std::string::npos)
        return;
    const auto kind = ParseInt64(std::string_view(text).substr(0, at));
    if (!kind || *kind == 0)
        return;
    const std::string line = text.substr(at + 1);
    if (m_pluginClient)
        m_pluginClient->OnServerText(line);
    if (m_pluginChat)
        m_pluginChat->AddLine(line, *kind);
}

void TCustomPluginShare::AdminNotice(uint8_t byte, const std::string &text, int64_t userId) {
    if (m_pluginClient)
        m_pluginClient->OnAdminNotice(byte, text, userId);
}

void TCustomPluginShare::ChatLineReceived(const std::string &text, int64_t sender) {
    RelayChatLine(text, sender);
}

void TCustomPluginShare::BroadcastReceived(const std::string &text) {
    if (m_pluginClient)
        m_pluginClient->OnChatLine(text, LineBroadcast);
    if (m_pluginChat)
        m_pluginChat->AddLine(text, LineBroadcast);
}

void TCustomPluginShare::RelayChatLine(const std::string &text, int64_t kind) {
    std::string line = text;
    if (const size_t amp = line.find('&'); amp != std::string::npos) {
        const std::string key = line.substr(amp);
        line.resize(amp);
        if (m_settings) {
            const std::string sound = m_settings->ReadString("ActionSound", key, "");
            if (!sound.empty())
                PlaySound(sound);
        }
    }
    if (kind > FirstUserLineKind && kind != OwnUserId())
        PlaySound("Public_Information.wav");
    if (m_pluginClient)
        m_pluginClient->OnChatLine(line, kind);
    if (m_pluginChat)
        m_pluginChat->AddLine(line, kind);
}

void TCustomPluginShare::ShowNotice(bool flash, const std::string &text) {
    if (flash) {
        QWidget *window = Platform::WindowFromHandle(m_start.Window);
        QWidget *focus = QApplication::focusWidget();
        if (window && !(focus && (focus == window || window->isAncestorOf(focus))))
            QApplication::alert(window);
    }
    if (!text.empty() && m_pluginChat)
        m_pluginChat->AddLine(text, LineSystem);
}

// ---- Room state ------------------------------------------------------------------

void TCustomPluginShare::TakeOverOwnSeat(const STRU_PLUGIN_USERINFO &record) {
    if (record.UserId != OwnUserId())
        return;
    m_room.OwnSeat = record.Seat;
    m_room.OwnPlayer = record.IsPlayer();
}

// A player taking a seat replaces whoever played there before.
void TCustomPluginShare::EvictSeatHolder(const STRU_PLUGIN_USERINFO &record) {
    if (!record.IsPlayer())
        return;
    if (const auto *holder = m_room.PlayerAtSeat(record.Seat, record.UserId))
        UserLeft(holder->UserId);
}

void TCustomPluginShare::AddListedUser(const STRU_PLUGIN_USERINFO &record) {
    if (m_room.FindUser(record.UserId))
        return;
    EvictSeatHolder(record);
    m_room.AddUser(record);
    TakeOverOwnSeat(record);
    if (record.IsPlayer())
        UserSatDown(FilteredName(record), record.Face, record.Seat, record.UserId);
}

void TCustomPluginShare::UserListReceived(std::span<const STRU_PLUGIN_USERINFO> records) {
    for (const auto &record : records)
        AddListedUser(record);
    if (m_pluginClient)
        m_pluginClient->OnUserListReceived(records);
    if (m_pluginUser)
        m_pluginUser->AddUsers(records);
    if (!OwnIsPlayer())
        RequestSeat(OwnSeat(), true);
}

void TCustomPluginShare::UserEntered(const STRU_PLUGIN_USERINFO &record) {
    if (m_room.FindUser(record.UserId))
        return;
    EvictSeatHolder(record);
    m_room.AddUser(record);
    if (OwnIsPlayer()) {
        const std::string mood = ReadMood();
        if (!mood.empty())
            SendMood(OwnSeat(), mood, OwnUserId(), record.UserId);
    }
    if (record.IsPlayer())
        UserSatDown(FilteredName(record), record.Face, record.Seat, record.UserId);
    TakeOverOwnSeat(record);
    const bool own = record.UserId == OwnUserId();
    const bool admin = IsAdministrator(record.UserId);
    if (!admin) {
        const std::string name = NamesHidden() && !own ? "****" : FilteredName(record);
        ShowNotice(false, "\"" + name + "\"" + "进入房间"_gbk);
    }
    if (m_pluginClient)
        m_pluginClient->OnUserEntered(record);
    if (m_pluginUser)
        m_pluginUser->UpdateUser(record);
    if (const auto *player = m_room.PlayerAtSeat(record.Seat, record.UserId);
        player && !own && !admin)
        ShowNotice(false, "\"" + UserDisplayName(record.UserId) + "\"" + "正在旁观"_gbk + "\"" +
                              UserDisplayName(player->UserId) + "\"");
    AskListsAbout(record.UserId);
}

void TCustomPluginShare::AskListsAbout(int64_t userId) {
    Send(PP::TableHeader(userId, PP::Sub::AdminList), 0, true);
    Send(PP::TableHeader(userId, PP::Sub::List147), 0, true);
    Send(PP::TableHeader(0, PP::Sub::MutedList), 0, true);
}

void TCustomPluginShare::UserLeft(int64_t userId) {
    if (m_pluginClient)
        m_pluginClient->OnUserLeft(userId);
    if (m_pluginUser)
        m_pluginUser->RemoveUser(userId);
    if (const auto *user = m_room.FindUser(userId)) {
        const STRU_PLUGIN_USERINFO record = *user;
        if (record.IsPlayer())
            UserStoodUp(record.Seat, userId);
        const std::string name = NamesHidden() ? "****" : FilteredName(record);
        if (!IsAdministrator(userId))
            ShowNotice(false, "\"" + name + "\"" + "离开房间"_gbk);
        else if (m_pluginChat)
            m_pluginChat->AddLine("[管理员]\""_gbk + name + "\"" + "离开房间"_gbk,
                                  LineAdminLeaving);
        m_room.MoveToDeparted(userId);
    }
    if (userId == OwnUserId())
        StopPlugin();
}

void TCustomPluginShare::SeatChanged(uint8_t seat, uint8_t player, uint8_t valid, int64_t userId) {
    if (!valid)
        return;
    if (userId == OwnUserId()) {
        m_room.OwnSeat = seat;
        m_room.OwnPlayer = player != 0;
    }
    if (auto *user = m_room.FindUser(userId)) {
        user->Seat = seat;
        user->Player = player;
        if (player)
            UserSatDown(FilteredName(*user), user->Face, seat, userId);
        else
            UserStoodUp(seat, userId);
    }
    if (m_pluginClient)
        m_pluginClient->OnSeatChanged(seat, player, valid, userId);
    if (m_pluginUser)
        m_pluginUser->SetUserSeat(seat, player, valid, userId);
}

void TCustomPluginShare::UserSatDown(const std::string &name, uint16_t face, uint8_t seat,
                                     int64_t userId) {
    PlaySound("Public_BeOn.wav");
    if (userId == OwnUserId()) {
        const std::string mood = ReadMood();
        if (!mood.empty())
            SendMood(seat, mood, userId, 0);
    }
    if (m_pluginClient)
        m_pluginClient->OnSeatTaken(name, face, seat, userId);
}

void TCustomPluginShare::UserStoodUp(uint8_t seat, int64_t userId) {
    PlaySound("Public_BeOff.wav");
    if (m_pluginClient)
        m_pluginClient->OnSeatLeft(seat, userId);
}

void TCustomPluginShare::MoodReceived(uint8_t seat, const std::string &mood, int64_t userId,
                                      int64_t target) {
    if (m_room.FindUser(userId) && m_pluginClient)
        m_pluginClient->OnMood(seat, mood, userId, target);
}

void TCustomPluginShare::RightsChanged(uint8_t level, int64_t userId) {
    if (userId == OwnUserId())
        m_room.OwnRights = level;
    if (m_pluginClient)
        m_pluginClient->OnRightsChanged(level, userId);
    if (m_pluginUser)
        m_pluginUser->UserRightsChanged(level, userId);
}

void TCustomPluginShare::NetDelayReceived(int32_t delay, int64_t userId) {
    if (auto *user = m_room.FindUser(userId))
        user->NetDelay = delay;
    if (m_pluginClient)
        m_pluginClient->OnNetDelay(delay, userId);
    if (m_pluginUser)
        m_pluginUser->UserNetDelayChanged(delay, userId);
}

void TCustomPluginShare::AdminListReceived(const std::string &text, int64_t userId) {
    if (userId != 0 && userId != OwnUserId())
        return;
    m_room.AdminIds = text;
    if (m_pluginUser)
        m_pluginUser->AdminListChanged(text, userId);
}

void TCustomPluginShare::ListReceived147(const std::string &text, int64_t userId) {
    if (userId != 0 && userId != OwnUserId())
        return;
    m_room.List147 = text;
    if (m_pluginUser)
        m_pluginUser->List147Changed(text, userId);
}

void TCustomPluginShare::MutedListReceived(const std::string &text, int64_t userId) {
    m_room.MutedIds = text;
    if (userId == 0)
        return;
    const std::string name = "\"" + UserDisplayName(userId) + "\"";
    ShowNotice(false, name + (TRoomState::OnList(text, userId) ? "已被管理员禁言"_gbk
                                                               : "已被管理员解除禁言"_gbk));
}

// ---- Settlement ------------------------------------------------------------------

void TCustomPluginShare::SettleEntry(const TSettlementEntry &entry, size_t position, bool lines,
                                     bool counters, std::string *scoreText, std::string *beanText) {
    std::string nickname;
    if (m_pluginClient && m_pluginClient->FindRosterEntry(entry.UserId).UserId() != 0)
        nickname = m_pluginClient->RosterName(entry.UserId);
    else if (const auto *departed = m_room.FindDeparted(entry.UserId))
        nickname = departed->NicknameText();
    else
        return;
    if (auto *user = m_room.FindUser(entry.UserId)) {
        user->Score = entry.NewScore;
        user->Beans = entry.NewBeans;
        if (counters) {
            const int64_t change = entry.ScoreChange + entry.BeanChange;
            ++(change > 0 ? user->Wins : change == 0 ? user->Draws : user->Losses);
        }
    }
    if (!lines || entry.UserId == 0)
        return;
    const std::string name = NamesHidden() && entry.UserId != OwnUserId()
                                 ? "玩家 "_gbk + std::to_string(position + 1)
                                 : nickname;
    if (scoreText)
        *scoreText += "\r" + Gbk::PadRight(name, 8) + ": " + SignedText(entry.ScoreChange);
    if (beanText)
        *beanText += "\r" + Gbk::PadRight(name, 8) + ": " + SignedText(entry.BeanChange);
}

void TCustomPluginShare::SettlementReceived(uint8_t phase,
                                            std::span<const TSettlementEntry> entries) {
    if (phase == 0)
        return;
    if (phase == 2) {
        for (size_t i = 0; i < entries.size(); ++i)
            SettleEntry(entries[i], i, false, false, nullptr, nullptr);
    } else {
        const bool scoreLines = m_pluginClient && m_pluginClient->Rules().ScoreLines > 0;
        const bool beanLines = m_pluginClient && m_pluginClient->Rules().BeanLines > 0;
        if (!scoreLines && !beanLines)
            return;
        std::optional<std::string> scoreText, beanText;
        if (scoreLines)
            scoreText = "本局"_gbk + ScoreName() + ":";
        if (beanLines)
            beanText = "本局"_gbk + BeanName() + ":";
        const bool full = phase == 1;
        for (size_t i = 0; i < entries.size(); ++i)
            SettleEntry(entries[i], i, full, full, scoreText ? &*scoreText : nullptr,
                        beanText ? &*beanText : nullptr);
        if (m_pluginClient->ShowResultsInChat()) {
            if (scoreText && !scoreText->empty())
                RelayChatLine(*scoreText, LineResult);
            if (beanText && !beanText->empty())
                RelayChatLine(*beanText, LineResult);
        }
    }
    if (m_pluginClient)
        m_pluginClient->OnSettlement(phase, entries);
    if (m_pluginUser)
        m_pluginUser->SetScores(phase, entries);
    if (m_pluginScore)
        m_pluginScore->SetScores(phase, entries);
    if (m_refreshHook)
        m_refreshHook(m_refreshData);
}

// ---- Moderation ------------------------------------------------------------------

void TCustomPluginShare::ExpelNotice(uint8_t phase, const std::string &reason, int64_t target,
                                     int64_t initiator) {
    if (m_pluginClient)
        m_pluginClient->OnExpelNotice(phase, reason, target, initiator);
    const int64_t own = OwnUserId();
    if (phase == 1) {
        if (m_pluginDialog && target != own && initiator != own && OwnIsPlayer() && !DialogBusy()) {
            const std::string text = "是否同意将玩家\""_gbk + UserDisplayName(target) +
                                     "\"驱逐? \r\n原因："_gbk + reason;
            if (AskDialog("驱逐"_gbk, 1, text, 30))
                SendExpel(1, reason, target);
        }
    } else if (phase == 2) {
        if (target != own) {
            RelayChatLine("玩家\""_gbk + UserDisplayName(target) +
                              "\"已被驱逐离开房间。\r\n原因："_gbk + reason,
                          LineNotice);
        } else if (!m_gameRunning || !OwnIsPlayer()) {
            RefuseTable();
            if (m_pluginDialog && !m_pluginDialog->isVisible()) {
                PlaySound("Public_Error.wav");
                AskDialog("退出"_gbk, 0,
                          "其他玩家请您离开此桌,请换桌继续游戏!\r\n原因："_gbk + reason, 10);
            }
            StopPlugin();
        }
    } else if (phase == 0 && initiator == own) {
        const std::string name = UserDisplayName(target);
        if (m_pluginDialog) {
            PlaySound("Public_Error.wav");
            AskDialog("无效驱逐"_gbk, 0,
                      "驱逐玩家\""_gbk + name + "\"无效\r\n原因：\""_gbk + reason + "\"", 10);
        } else {
            RelayChatLine("驱逐玩家\""_gbk + name + "\"无效，原因：\""_gbk + reason + "\"",
                          LineNotice);
        }
    }
}

void TCustomPluginShare::ProposeKick(uint8_t type, int64_t target) {
    if (target == OwnUserId() || OwnRights() == 0 || (OwnRights() <= 1 && type == 2))
        return;
    std::string reason = "阻碍游戏"_gbk;
    if (m_pluginDialog) {
        if (DialogBusy())
            return;
        static const char *const captions[] = {"请选择踢出的原因", "请选择24小时踢出的原因",
                                               "请选择永久踢出的原因"};
        const std::vector<std::string> reasons = {"阻碍游戏"_gbk, "说脏话"_gbk, "有作弊嫌疑"_gbk};
        const std::string caption = type < 3 ? Gbk::FromUtf8(captions[type]) : std::string();
        if (!AskDialog(caption, 2, {}, 60, reasons))
            return;
        const int chosen = m_pluginDialog ? m_pluginDialog->SelectedIndex() : -1;
        if (chosen >= 0 && chosen < static_cast<int>(reasons.size()))
            reason = reasons[static_cast<size_t>(chosen)];
    }
    SendKick(type, reason, target);
}

void TCustomPluginShare::KickNotice(uint8_t type, const std::string &reason, int64_t target,
                                    int64_t op) {
    if (m_pluginClient)
        m_pluginClient->OnKickNotice(type, reason, target, op);
    static const char *const names[] = {"踢出", "24小时踢出", "永久踢出"};
    if (type > 2)
        return;
    const std::string typeName = Gbk::FromUtf8(names[type]);
    if (target != OwnUserId()) {
        RelayChatLine(UserDisplayName(target) + "已经被管理员"_gbk + typeName + ",原因："_gbk +
                          reason,
                      LineNotice);
        return;
    }
    RefuseTable();
    if (m_pluginDialog) {
        PlaySound("Public_Error.wav");
        AskDialog("执行踢出"_gbk, 0, "您已经被管理员"_gbk + typeName + "。\r\n原因："_gbk + reason,
                  3);
    }
    StopPlugin();
}

bool TCustomPluginShare::DialogBusy() const {
    return m_pluginDialog && m_pluginDialog->Running();
}

bool TCustomPluginShare::AskDialog(const std::string &caption, uint8_t kind,
                                   const std::string &text, int life,
                                   const std::optional<std::vector<std::string>> &items) {
    if (!m_pluginDialog)
        return false;
    m_pluginDialog->SetCaption(ToQString(caption));
    m_pluginDialog->SetKind(kind);
    m_pluginDialog->SetText(text);
    if (items)
        m_pluginDialog->SetItems(items);
    m_pluginDialog->SetLifeCount(life);
    const int result = m_pluginDialog->Execute();
    return result == 1 || result == 6;
}

void TCustomPluginShare::ShowTip(const std::string &text) {
    if (!m_pluginDialog || DialogBusy())
        return;
    try {
        AskDialog("提示"_gbk, 0, text, 3);
    } catch (...) {
        // A tip is a courtesy: whatever goes wrong while it is up is not the caller's.
    }
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

std::string TCustomPluginShare::ReadMood() const {
    if (!m_settings)
        return {};
    return Gbk::LeftCharacters(m_settings->ReadString("Mood", "GameMood", ""), MoodCharacters);
}

// ---- Chat --------------------------------------------------------------------------

bool TCustomPluginShare::WordsAllowed(const std::string &text) {
    if (!m_request)
        return true;
    int32_t allowed = 1;
    const HRESULT result = m_request->CheckWords(m_start.TableKey, text.c_str(), 1, &allowed);
    if (FAILED(result))
        throw EHallRequestFailed(result);
    return (allowed & 0xFF) != 0;
}

std::optional<std::string> TCustomPluginShare::ExpandAction(const std::string &text) {
    if (text.find('&') == std::string::npos || !m_settings)
        return std::nullopt;
    const std::string templ = m_settings->ReadString("Action", FieldOf(text, 0, ' '), "");
    if (templ.empty())
        return std::nullopt;
    std::string targetWord = FieldOf(text, 1, ' ');
    if (targetWord.find('<') != std::string::npos)
        targetWord = TextBefore(TextAfter(targetWord, "<", false), ">", false);
    const std::string targetName =
        targetWord.empty() ? "大家"_gbk : UserDisplayName(ParseInt64(targetWord).value_or(0));
    const std::string ownName = UserDisplayName(OwnUserId());
    const std::string filled = targetName.find('<') == std::string::npos
                                   ? FillTemplate(templ, ownName, targetName)
                                   : templ;
    return Bell + filled + "(" + ownName + ")";
}

void TCustomPluginShare::SendSay(const std::string &said) {
    if (m_refused)
        return;
    const bool rights = OwnRights() != 0;
    if (rights && IsOnList147(OwnUserId()))
        Send(PP::TableHeader(OwnUserId(), PP::Sub::ChatPermit));
    if (rights && said.starts_with("->")) {
        SendAdminNotice(said.substr(2));
        RelayChatLine(said, LineSystem);
        return;
    }
    std::string text = said;
    std::string command;
    if (auto expanded = ExpandAction(said)) {
        command = said;
        text = std::move(*expanded);
    }
    if (text.empty())
        return;
    text = Gbk::Left(text, MaxChatBytes);
    if (!WordsAllowed(text)) {
        RelayChatLine("非法词汇,请重新输入!"_gbk, LineNotice);
        return;
    }
    text += command;
    Send(PP::TextPacket(OwnUserId(), PP::Sub::Chat, text));
    if (OnChatText)
        OnChatText(this, OwnUserId(), text);
    RelayChatLine(text, OwnUserId());
}

int TCustomPluginShare::SendShout(const std::string &said) {
    if (said.empty() || m_refused)
        return 1;
    try {
        std::string text = ExpandAction(said).value_or(said);
        if (text.find(Bell) != std::string::npos)
            text.erase(0, 1);
        text = Gbk::Left(text, MaxChatBytes);
        if (text.empty())
            return 1;
        const char *refusal = nullptr;
        const int32_t sinceLast = static_cast<int32_t>(Platform::GetTickCount() - m_lastShoutTick);
        if (text.find("http:") != std::string::npos || text.find("www.") != std::string::npos)
            refusal = "无效广播信息,请重新输入!";
        else if (text == m_lastShout)
            refusal = "不可重复相同广播信息,请重新输入!";
        else if (!WordsAllowed(text))
            refusal = "非法词汇,请重新输入!";
        else if (Gbk::ToUtf16(text).size() >= 81)
            refusal = "广播信息不能超过80个字符！";
        else if ((5000 - sinceLast) / 1000 >= 1)
            refusal = "不能频繁发送广播信息!";
        if (refusal) {
            RelayChatLine(Gbk::FromUtf8(refusal), LineNotice);
            return 1;
        }
        m_lastShoutTick = Platform::GetTickCount();
        m_lastShout = text;
        Send(PP::TextPacket(OwnUserId(), PP::Sub::Broadcast,
                            "[" + UserDisplayName(OwnUserId()) + "]:" + text));
        return 0;
    } catch (...) {
        return 1;
    }
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
