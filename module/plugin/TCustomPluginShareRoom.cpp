// The hub's room side: texts from the server, the users at the table, settlements,
// and the local player's chat lines and broadcasts.

#include "plugin/TCustomPluginShare.h"

#include "common/CommonFunctions.h"
#include "common/Gbk.h"
#include "common/TIniFile.h"
#include "platform/TickCount.h"
#include "plugin/OutgoingPackets.h"

#include <QApplication>
#include <QWidget>

#include <charconv>

namespace PP = PluginPackets;

namespace {

constexpr char Bell = '\a';
constexpr size_t MaxChatBytes = 200;
constexpr int MoodCharacters = 20;
constexpr int BroadcastMaxCharacters = 80;
constexpr int32_t BroadcastIntervalMs = 5000;

std::optional<int64_t> ParseInt64(std::string_view text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
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
        if (window && !Platform::FocusInside(m_start.Window))
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
        else if (Gbk::ToUtf16(text).size() > BroadcastMaxCharacters)
            refusal = "广播信息不能超过80个字符！";
        else if ((BroadcastIntervalMs - sinceLast) / 1000 >= 1)
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

std::string TCustomPluginShare::ReadMood() const {
    if (!m_settings)
        return {};
    return Gbk::LeftCharacters(m_settings->ReadString("Mood", "GameMood", ""), MoodCharacters);
}
