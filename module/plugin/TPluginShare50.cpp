#include "plugin/TPluginShare50.h"
