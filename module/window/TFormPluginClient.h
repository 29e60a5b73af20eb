#pragma once
// The game window the COM object creates by its registered class name. It owns the hub
// and every component, hosts the game client, dispatches the hub's packets on its
// private message, and hands every close request to the hub's close confirmation.

#include <QWidget>

class QCloseEvent;
class TCustomPluginClient;
class TImageList;
class TPluginDialog50;
class TPluginShare50;

class TFormPluginClient : public QWidget {
    Q_OBJECT

public:
    static constexpr const char *ClassName = "TFormPluginClient";
    static constexpr int BigWidth = 1024;
    static constexpr int BigHeight = 734;

    explicit TFormPluginClient(QWidget *parent = nullptr);
    ~TFormPluginClient() override;

    TPluginShare50 *PluginShare501() const { return m_pluginShare; }
    QWidget *PanelClient() const { return m_panelClient; }
    TCustomPluginClient *GameClient() const { return m_gameClient; }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TPluginShare50 *m_pluginShare = nullptr;
    QWidget *m_panelClient = nullptr;
    TPluginDialog50 *m_pluginDialog = nullptr;
    TCustomPluginClient *m_gameClient = nullptr;
    TImageList *m_emotionImages = nullptr;
};
