#include "ServerSettings.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringEncoder>

namespace {

constexpr int DefaultIntervalSeconds = 600;
constexpr int MsPerSecond = 1000;

// Each id followed by a comma, as the protocol lists them.
std::string IdList(const QSettings &file, const QString &key) {
    std::string list;
    for (QString id : file.value(key).toStringList()) {
        id = id.trimmed();
        if (!id.isEmpty())
            list += id.toStdString() + ",";
    }
    return list;
}

} // namespace

bool ServerSettings::Read(const QString &path, ServerOptions &options) {
    if (!QFileInfo(path).isReadable())
        return false;
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return false;
    options.OwnerIds = IdList(file, QStringLiteral("Administrators/Owners"));
    options.AdministratorIds =
        IdList(file, QStringLiteral("Administrators/Ids")) + options.OwnerIds;
    options.List147 = IdList(file, QStringLiteral("Administrators/List147"));
    options.AnnouncementIntervalMs =
        file.value(QStringLiteral("Announcements/Interval"), DefaultIntervalSeconds).toInt() *
        MsPerSecond;
    // The modules show GBK.
    QStringEncoder gbk("GBK");
    options.Announcements.clear();
    for (int i = 1;; ++i) {
        const QVariant text = file.value(QStringLiteral("Announcements/Text%1").arg(i));
        if (!text.isValid())
            break;
        const QByteArray bytes = gbk.encode(text.toStringList().join(QStringLiteral(", ")));
        options.Announcements.push_back(bytes.toStdString());
    }
    return true;
}
