#include "platform/CacheFolder.h"

#include <QStandardPaths>

namespace tessel {

QString userCacheFolder() {
    const QString forced = qEnvironmentVariable("TESSEL_CACHE_DIR");
    if (!forced.isEmpty()) {
        return forced;
    }
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/tessel");
}

} // namespace tessel
