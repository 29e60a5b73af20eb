#include "plugin/TCustomPluginEvents.h"

TCustomPluginEvents::TCustomPluginEvents(QWidget *parent)
    : TLovelyPanel(parent) {}

void TCustomPluginEvents::ShowEvent(const std::string &) {
    show();
}
