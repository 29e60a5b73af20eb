#include "platform/FontSetup.h"

#include <QFont>

namespace Platform {

void InstallFontSubstitutions() {
    static const bool installed = [] {
        QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"));
        QFont::insertSubstitution(QStringLiteral("楷体_GB2312"), QStringLiteral("AR PL UKai CN"));
        return true;
    }();
    (void)installed;
}

} // namespace Platform
