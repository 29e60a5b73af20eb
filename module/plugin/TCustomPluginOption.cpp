#include "plugin/TCustomPluginOption.h"

#include "plugin/TCustomPluginShare.h"

TCustomPluginOption::TCustomPluginOption(QWidget *parent)
    : TLovelyPanel(parent) {}

void TCustomPluginOption::ShowOptions() {
    show();
    raise();
    setFocus();
}

void TCustomPluginOption::AcceptOptions() {
    if (auto *hub = PluginShare())
        hub->OptionsAccepted();
}

void TCustomPluginOption::Initialize() {}
void TCustomPluginOption::Finalize() {}
void TCustomPluginOption::LoadOptions() {}
void TCustomPluginOption::BeforeFinalize() {}
