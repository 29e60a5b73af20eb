#include "plugin/TPluginHubLink.h"

#include "plugin/TCustomPluginShare.h"

TCustomPluginShare *TPluginHubLink::PluginShare() const {
    return static_cast<TCustomPluginShare *>(m_share.data());
}

void TPluginHubLink::SetPluginShare(TCustomPluginShare *share) {
    m_share = share;
}
