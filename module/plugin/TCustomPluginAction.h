#pragma once

#include "plugin/TPluginHubLink.h"
#include "widgets/TLovelyPanel.h"

#include <string>

// The special-action editor's contract with the hub.
class TCustomPluginAction : public TLovelyPanel, public TPluginHubLink {
    Q_OBJECT

public:
    explicit TCustomPluginAction(QWidget *parent = nullptr);

    virtual void ShowActions();
    virtual void InsertChatText(const std::string &text, bool keepSelection);
    virtual void Initialize();
    virtual void Finalize();
    virtual void LoadOptions();
    virtual void BeforeFinalize();
};
