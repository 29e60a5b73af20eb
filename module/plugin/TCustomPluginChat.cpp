#include "plugin/TCustomPluginChat.h"

#include "plugin/TCustomPluginShare.h"

TCustomPluginChat::TCustomPluginChat(QWidget *parent)
    : TLovelyPanel(parent) {}

void TCustomPluginChat::SetLocked(bool flag) {
    if (m_locked != flag)
        m_locked = flag;
}

void TCustomPluginChat::AddLine(const std::string &, int64_t) {}

void TCustomPluginChat::Say(const std::string &text) {
    if (auto *hub = PluginShare())
        hub->SendSay(text);
}

void TCustomPluginChat::ShowActions() {
    if (auto *hub = PluginShare())
        hub->ShowActions();
}

void TCustomPluginChat::InsertText(const std::string &, bool) {}
void TCustomPluginChat::Initialize() {}
void TCustomPluginChat::Finalize() {}
void TCustomPluginChat::LoadOptions() {}
void TCustomPluginChat::BeforeFinalize() {}
