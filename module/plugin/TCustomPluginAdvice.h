#pragma once

#include "plugin/TPluginHubLink.h"
#include "widgets/TLovelyPanel.h"

// A panel kind the hub can hold but never calls; no such panel is attached here.
class TCustomPluginAdvice : public TLovelyPanel, public TPluginHubLink {
    Q_OBJECT

public:
    explicit TCustomPluginAdvice(QWidget *parent = nullptr)
        : TLovelyPanel(parent) {}
};
