#include "plugin/TCustomPluginUser.h"

#include "plugin/TCustomPluginShare.h"

TCustomPluginUser::TCustomPluginUser(QWidget *parent)
    : TLovelyPanel(parent) {}

void TCustomPluginUser::SetCanLook(bool flag) {
    m_canLook = flag;
}

void TCustomPluginUser::SetHideInfo(bool flag) {
    m_hideInfo = flag;
}

int64_t TCustomPluginUser::SelectedUserId() {
    return 0;
}

void TCustomPluginUser::SelectUser(int64_t) {}
void TCustomPluginUser::UserRightsChanged(uint8_t, int64_t) {}
void TCustomPluginUser::AddUsers(std::span<const STRU_PLUGIN_USERINFO>) {}

void TCustomPluginUser::UpdateUser(const STRU_PLUGIN_USERINFO &record) {
    AutoPermission(record.Seat, record.UserId);
}

void TCustomPluginUser::RemoveUser(int64_t) {}

void TCustomPluginUser::SetUserSeat(uint8_t seat, uint8_t, uint8_t valid, int64_t userId) {
    if (valid)
        AutoPermission(seat, userId);
}

void TCustomPluginUser::SetScores(uint8_t, std::span<const TSettlementEntry>) {}
void TCustomPluginUser::UserNetDelayChanged(int32_t, int64_t) {}
void TCustomPluginUser::AdminListChanged(const std::string &, int64_t) {}
void TCustomPluginUser::List147Changed(const std::string &, int64_t) {}

void TCustomPluginUser::InsertChatText(const std::string &text, bool keepSelection) {
    if (auto *hub = PluginShare())
        hub->InsertChatText(text, keepSelection);
}

void TCustomPluginUser::AddScores(uint8_t, std::span<const TSettlementEntry>) {}
void TCustomPluginUser::ConfigurationApplied() {}

void TCustomPluginUser::PlaySound(const std::string &fileName) {
    if (auto *hub = PluginShare())
        hub->PlaySound(fileName);
}

void TCustomPluginUser::ShowUserMenu(int64_t userId) {
    if (auto *hub = PluginShare())
        hub->ShowUserMenu(userId);
}

void TCustomPluginUser::Initialize() {}
void TCustomPluginUser::Finalize() {}
void TCustomPluginUser::LoadOptions() {}
void TCustomPluginUser::BeforeFinalize() {}

void TCustomPluginUser::AutoPermission(uint8_t seat, int64_t userId) {
    auto *hub = PluginShare();
    if (hub && m_canLook && hub->OwnIsPlayer() && seat == hub->OwnSeat())
        hub->WatchPermission(m_canLook, userId);
}
