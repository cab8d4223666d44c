#include "platform/gnome/MutterIdle.h"

#include "platform/desktop/DBusCall.h"

namespace tessel {

namespace {

constexpr double millisecondsPerSecond = 1000;

} // namespace

std::optional<double> mutterIdleSeconds(const QDBusConnection& bus) {
    const std::optional<QVariant> idle =
        dbusCall(bus, QStringLiteral("org.gnome.Mutter.IdleMonitor"),
                 QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
                 QStringLiteral("org.gnome.Mutter.IdleMonitor"), QStringLiteral("GetIdletime"), {});
    bool isNumber = false;
    const qulonglong milliseconds = idle ? idle->toULongLong(&isNumber) : 0;
    if (!isNumber) {
        return std::nullopt;
    }
    return static_cast<double>(milliseconds) / millisecondsPerSecond;
}

} // namespace tessel
