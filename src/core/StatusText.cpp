#include "core/StatusText.h"

#include <QLocale>

namespace tessel {

std::optional<QString> statusText(Gate gate, const Settings& settings, const QTimeZone& zone,
                                  const std::function<QString()>& frontAppName) {
    switch (gate) {
    case Gate::off:
        return QStringLiteral("Off");
    case Gate::noCompositor:
        return QStringLiteral("Needs a compositor");
    case Gate::snoozed: {
        const QTime end = settings.snoozedUntil->toDateTime().toTimeZone(zone).time();
        return QStringLiteral("Snoozed until ") + QLocale().toString(end, QLocale::ShortFormat);
    }
    case Gate::pausedOnBattery:
        return QStringLiteral("Paused on battery");
    case Gate::outsideSchedule:
        return QStringLiteral("Outside schedule");
    case Gate::excludedApp: {
        const QString name = frontAppName();
        return name.isEmpty() ? QStringLiteral("Off in this app")
                              : QStringLiteral("Off in ") + name;
    }
    case Gate::notOnboarded:
    case Gate::focusFilterOff:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace tessel
