#include "platform/x11/SleepWatcher.h"

namespace tessel {

SleepWatcher::SleepWatcher(QDBusConnection systemBus) {
    if (systemBus.isConnected()) {
        systemBus.connect(QStringLiteral("org.freedesktop.login1"),
                          QStringLiteral("/org/freedesktop/login1"),
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
