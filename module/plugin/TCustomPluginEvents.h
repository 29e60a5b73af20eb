#pragma once

#include "plugin/TPluginHubLink.h"
#include "widgets/TLovelyPanel.h"

#include <string>

// The events panel's contract with the hub: "@$" announcements from the server.
class TCustomPluginEvents : public TLovelyPanel, public TPluginHubLink {
    Q_OBJECT

public:
    explicit TCustomPluginEvents(QWidget *parent = nullptr);

    virtual void ShowEvent(const std::string &text);
};
