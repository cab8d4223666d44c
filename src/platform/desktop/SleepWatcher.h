#pragma once

#include <QDBusConnection>
#include <QObject>

namespace tessel {

// Reports the end of a system sleep from logind's PrepareForSleep(false).
class SleepWatcher final : public QObject {
    Q_OBJECT

public:
    explicit SleepWatcher(QDBusConnection systemBus);

Q_SIGNALS:
    void woke();

private Q_SLOTS:
    void prepareForSleep(bool sleeping);
};

} // namespace tessel
