#pragma once

#include "plugin/PluginRecords.h"
#include "plugin/TPluginHubLink.h"
#include "widgets/TLovelyPanel.h"

#include <span>

// The score panel's contract with the hub.
class TCustomPluginScore : public TLovelyPanel, public TPluginHubLink {
    Q_OBJECT

public:
    explicit TCustomPluginScore(QWidget *parent = nullptr);

    virtual void SetScores(uint8_t phase, std::span<const TSettlementEntry> entries);
    virtual void Initialize();
    virtual void Finalize();
    virtual void LoadOptions();
    virtual void BeforeFinalize();
};
