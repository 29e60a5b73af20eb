#pragma once

#include "plugin/TPluginHubLink.h"
#include "widgets/TLovelyPanel.h"

#include <string>

// The chat panel's contract with the hub.
class TCustomPluginChat : public TLovelyPanel, public TPluginHubLink {
    Q_OBJECT

public:
    explicit TCustomPluginChat(QWidget *parent = nullptr);

    bool Locked() const { return m_locked; }

    virtual void SetLocked(bool flag);
    // kind: above 10000 the sender's user id, otherwise a line kind.
    virtual void AddLine(const std::string &text, int64_t kind);
    virtual void Say(const std::string &text);
    virtual void ShowActions();
    virtual void InsertText(const std::string &text, bool keepSelection);
    virtual void Initialize();
    virtual void Finalize();
    virtual void LoadOptions();
    virtual void BeforeFinalize();

private:
    bool m_locked = false;
};
