#pragma once
// A component's reference back to the hub: empty until the hub attaches the component,
// and cleared by itself when the hub is destroyed. Every forwarding operation of a
// component does nothing while it is empty.

#include <QPointer>

class QObject;
class TCustomPluginShare;

class TPluginHubLink {
public:
    TCustomPluginShare *PluginShare() const;
    void SetPluginShare(TCustomPluginShare *share);

protected:
    ~TPluginHubLink() = default;

private:
    QPointer<QObject> m_share;
};
