#include "plugin/TCustomPluginAction.h"

#include "plugin/TCustomPluginShare.h"

TCustomPluginAction::TCustomPluginAction(QWidget *parent)
    : TLovelyPanel(parent) {}

void TCustomPluginAction::ShowActions() {
    show();
    raise();
    setFocus();
}

void TCustomPluginAction::InsertChatText(const std::string &text, bool keepSelection) {
    if (auto *hub = PluginShare())
        hub->InsertChatText(text, keepSelection);
}

void TCustomPluginAction::Initialize() {}
void TCustomPluginAction::Finalize() {}
void TCustomPluginAction::LoadOptions() {}
void TCustomPluginAction::BeforeFinalize() {}
