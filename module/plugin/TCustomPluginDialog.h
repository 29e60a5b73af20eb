#pragma once

#include "plugin/TPluginHubLink.h"
#include "widgets/TLovelyPanel.h"

#include <optional>
#include <string>
#include <vector>

// The message dialog's contract: every question that needs an answer is asked here,
// in a nested wait that keeps packets flowing. Results: 1 OK (Enter), 2 cancel
// (Escape), 3 closed, 0 timed out or not answered.
class TCustomPluginDialog : public TLovelyPanel, public TPluginHubLink {
    Q_OBJECT

public:
    enum TDialogResult { drNone = 0, drOk = 1, drCancel = 2, drClosed = 3 };

    explicit TCustomPluginDialog(QWidget *parent = nullptr);

    uint8_t Kind() const { return m_kind; }
    const std::string &Text() const { return m_text; }
    const std::vector<std::string> &Items() const { return m_items; }

    int Execute() override;
    virtual void SetKind(uint8_t kind);
    virtual void SetText(const std::string &text);
    virtual int SelectedIndex();
    virtual void SetSelectedIndex(int index);
    // The choices, or none to clear them.
    virtual void SetItems(const std::optional<std::vector<std::string>> &items);
    virtual void Initialize();
    virtual void Finalize();
    virtual void LoadOptions();
    virtual void BeforeFinalize();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    uint8_t m_kind = 0;
    std::string m_text;
    std::vector<std::string> m_items;
};
