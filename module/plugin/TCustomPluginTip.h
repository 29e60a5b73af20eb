#pragma once

#include "plugin/TPluginHubLink.h"
#include "widgets/TLovelyPanel.h"

// The tip panel kind: no operations of its own; no tip panel is attached here.
class TCustomPluginTip : public TLovelyPanel, public TPluginHubLink {
    Q_OBJECT

public:
    explicit TCustomPluginTip(QWidget *parent = nullptr)
        : TLovelyPanel(parent) {}
};
