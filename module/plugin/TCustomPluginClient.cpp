#include "plugin/TCustomPluginClient.h"

#include "common/Gbk.h"
#include "plugin/TCustomPluginShare.h"

#include <algorithm>

TCustomPluginClient::TCustomPluginClient(QWidget *parent)
    : QWidget(parent) {}

std::string TCustomPluginClient::GetAuthData1() {
    return {};
}

std::string TCustomPluginClient::GetAuthData2() {
    return {};
}

bool TCustomPluginClient::ShowResultsInChat() {
    return true;
}

bool TCustomPluginClient::CanLeaveFreely() {
    return false;
}

void TCustomPluginClient::OnGameChannel0(int32_t, int64_t) {}
void TCustomPluginClient::OnGameChannel1(int32_t, int64_t) {}
void TCustomPluginClient::OnGameChannel2(int32_t, std::span<const uint8_t>, int64_t) {}

// The base part runs before a derived client's own handling of the other ids.
void TCustomPluginClient::OnGameRecord(std::span<const uint8_t> record, int64_t) {
    if (record.empty())
        return;
    if (record[0] == TipRecordId) {
        const auto text = record.subspan(1, std::min(record.size() - 1, TipMaxBytes));
        ShowTip(std::string(text.begin(), std::find(text.begin(), text.end(), uint8_t(0))));
    } else if (record[0] == TTableConfiguration::RecordId) {
        if (const auto config = TTableConfiguration::Decode(record))
            ApplyConfiguration(*config);
    }
}

void TCustomPluginClient::ApplyConfiguration(const TTableConfiguration &config) {
    m_valueA = config.ValueA;
    m_valueB = config.ValueB;
    m_valueC = config.ValueC;
    m_valueD = config.ValueD;
    m_valueE = config.ValueE;
    m_rules = config.Rules;
    m_valueF = config.ValueF;
    if (auto *hub = PluginShare())
        hub->ConfigurationReceived(m_rules);
    if (config.Roster)
        m_roster = *config.Roster;
}

void TCustomPluginClient::OnSeatReady(int) {}
void TCustomPluginClient::OnWatchPermission(bool) {}
void TCustomPluginClient::OnMood(uint8_t, const std::string &, int64_t, int64_t) {}
void TCustomPluginClient::OnGameStart() {}
void TCustomPluginClient::OnGameOver() {}
void TCustomPluginClient::OnChatLine(const std::string &, int64_t) {}
void TCustomPluginClient::OnSafeBoxReply(std::span<const uint8_t>) {}
void TCustomPluginClient::OnServerText(const std::string &) {}
void TCustomPluginClient::OnExpelNotice(uint8_t, const std::string &, int64_t, int64_t) {}
void TCustomPluginClient::OnAdminNotice(uint8_t, const std::string &, int64_t) {}
void TCustomPluginClient::OnRightsChanged(uint8_t, int64_t) {}
void TCustomPluginClient::OnUserListReceived(std::span<const STRU_PLUGIN_USERINFO>) {}
void TCustomPluginClient::OnUserEntered(const STRU_PLUGIN_USERINFO &) {}
void TCustomPluginClient::OnUserLeft(int64_t) {}
void TCustomPluginClient::OnSeatChanged(uint8_t, uint8_t, uint8_t, int64_t) {}
void TCustomPluginClient::OnSettlement(uint8_t, std::span<const TSettlementEntry>) {}
void TCustomPluginClient::OnNetDelay(int32_t, int64_t) {}
void TCustomPluginClient::OnKickNotice(uint8_t, const std::string &, int64_t, int64_t) {}
void TCustomPluginClient::OnSnapshot(std::span<const uint8_t>) {}
void TCustomPluginClient::OnSeatTaken(const std::string &, uint16_t, uint8_t, int64_t) {}
void TCustomPluginClient::OnSeatLeft(uint8_t, int64_t) {}

void TCustomPluginClient::RequestResync() {
    if (auto *hub = PluginShare())
        hub->RequestTableState();
}

void TCustomPluginClient::RequestSeat(uint8_t seat, bool sit) {
    if (auto *hub = PluginShare())
        hub->RequestSeat(seat, sit);
}

void TCustomPluginClient::SendReady() {
    if (auto *hub = PluginShare())
        hub->SendReady();
}

void TCustomPluginClient::SendGameRecord(std::string_view record, int64_t target) {
    if (auto *hub = PluginShare())
        hub->SendGameRecord(record, target);
}

void TCustomPluginClient::OnOptionsAccepted() {}

void TCustomPluginClient::ShowNotice(bool flash, const std::string &text) {
    if (auto *hub = PluginShare())
        hub->ShowNotice(flash, text);
}

void TCustomPluginClient::PlaySound(const std::string &fileName) {
    if (auto *hub = PluginShare())
        hub->PlaySound(fileName);
}

void TCustomPluginClient::ShowUserMenu(int64_t userId) {
    if (auto *hub = PluginShare())
        hub->ShowUserMenu(userId);
}

void TCustomPluginClient::OnHubStarted() {
    m_valueA = 1;
    m_valueB = 0;
    m_valueC = 1;
    m_valueD = 0;
    m_valueE = 0;
    if (auto *hub = PluginShare())
        hub->ColoredText("1@[提示]:当前客户端版本为:"_gbk + hub->Identity().FileVersion);
}

void TCustomPluginClient::OnHubClosing() {}
void TCustomPluginClient::OnOptionsLoaded() {}
void TCustomPluginClient::OnHubStopping() {}

bool TCustomPluginClient::GameRunning() const {
    const auto *hub = PluginShare();
    return hub && hub->GameRunning();
}

void TCustomPluginClient::SetGameRunning(bool running) {
    if (auto *hub = PluginShare())
        hub->SetGameRunning(running);
}

int64_t TCustomPluginClient::OwnUserId() const {
    const auto *hub = PluginShare();
    return hub ? hub->OwnUserId() : 0;
}

uint8_t TCustomPluginClient::OwnSeat() const {
    const auto *hub = PluginShare();
    return hub ? hub->OwnSeat() : 0;
}

bool TCustomPluginClient::OwnIsPlayer() const {
    const auto *hub = PluginShare();
    return hub && hub->OwnIsPlayer();
}

bool TCustomPluginClient::WatcherMaySeeCards() const {
    const auto *hub = PluginShare();
    return hub && hub->WatcherMaySeeCards();
}

std::string TCustomPluginClient::FaceFolder() const {
    const auto *hub = PluginShare();
    return hub ? hub->Paths().FaceFolder : std::string();
}

TRosterEntry TCustomPluginClient::FindRosterEntry(int64_t userId) const {
    if (userId > 0)
        for (const auto &entry : m_roster)
            if (entry.UserId() == userId)
                return entry;
    return {};
}

std::string TCustomPluginClient::RosterName(int64_t userId) const {
    return FindRosterEntry(userId).Nickname();
}

int32_t TCustomPluginClient::RoundsPlayed(int64_t userId) const {
    return FindRosterEntry(userId).RoundsPlayed();
}

int TCustomPluginClient::ActiveRosterCount() const {
    return static_cast<int>(std::count_if(m_roster.begin(), m_roster.end(),
                                          [](const auto &entry) { return !entry.OutOfCount(); }));
}

bool TCustomPluginClient::HasPlayedEnough(int64_t userId) const {
    const TRosterEntry entry = FindRosterEntry(userId);
    if (entry.UserId() == 0 || entry.OutOfCount() || entry.RoundsPlayed() < 1 ||
        entry.RoundsPlayed() >= RoundsRequired())
        return true;
    return ActiveRosterCount() < MinPlayerCount();
}

void TCustomPluginClient::ShowTip(const std::string &text) {
    if (auto *hub = PluginShare())
        hub->ShowTip(text);
}
