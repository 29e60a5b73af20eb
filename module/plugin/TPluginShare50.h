#pragma once

#include "plugin/TCustomPluginShare.h"

// The hub placed on the main window.
class TPluginShare50 final : public TCustomPluginShare {
    Q_OBJECT

public:
    using TCustomPluginShare::TCustomPluginShare;
};
