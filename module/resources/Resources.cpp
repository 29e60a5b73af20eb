#include "resources/Resources.h"

#include <QtCore/qglobal.h>

// Defined by the generated resource source; calling it also keeps that object file in a
// link that would otherwise drop it as unreferenced.
int qInitResources_vestrano_art();

namespace Resources {

void Initialize() {
    static const bool registered = qInitResources_vestrano_art() != 0;
    Q_UNUSED(registered);
}

} // namespace Resources
