#include "platform/ResourceImages.h"

#include <QHash>
#include <QString>

namespace Platform {

const QImage &ResourceImage(std::string_view name)
{
    static QHash<QString, QImage> cache;
    const QString key = QString::fromLatin1(name.data(), qsizetype(name.size()));
    auto it = cache.find(key);
    if (it == cache.end()) {
        QImage image;
        for (const char *suffix : {".png", ".jpg", ".bmp"}) {
            if (image.load(QStringLiteral(":/vestrano/") + key + QLatin1String(suffix)))
                break;
        }
        if (!image.isNull())
            image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        it = cache.insert(key, image);
    }
    return *it;
}

} // namespace Platform
