#include "platform/desktop/SleepWatcher.h"

namespace tessel {

SleepWatcher::SleepWatcher(QDBusConnection systemBus) {
    if (systemBus.isConnected()) {
        // Any sender, as a named one is looked up asynchronously and early signals would be lost.
        systemBus.connect(QString(), QStringLiteral("/org/freedesktop/login1"),
                          QStringLiteral("org.freedesktop.login1.Manager"),
                          QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
    }
}

void SleepWatcher::prepareForSleep(bool sleeping) {
    if (!sleeping) {
        Q_EMIT woke();
    }
}

} // namespace tessel
