#pragma once

#include "plugin/TPluginHubLink.h"
#include "widgets/TLovelyPanel.h"

// The options panel's contract with the hub.
class TCustomPluginOption : public TLovelyPanel, public TPluginHubLink {
    Q_OBJECT

public:
    explicit TCustomPluginOption(QWidget *parent = nullptr);

    virtual void ShowOptions();
    virtual void AcceptOptions();
    virtual void Initialize();
    virtual void Finalize();
    virtual void LoadOptions();
    virtual void BeforeFinalize();
};
