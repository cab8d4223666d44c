#include "core/StatusText.h"

#include <QLocale>

namespace tessel {

namespace {

// The locale's short time format without its seconds and the separator before them; quoted
// text is left as it is.
QString withoutSeconds(const QString& format) {
    QString result;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') {
            quoted = !quoted;
        } else if (!quoted && c == u's') {
            if (result.endsWith(u':') || result.endsWith(u'.')) {
                result.chop(1);
            }
            while (i + 1 < format.size() && format[i + 1] == u's') {
                ++i;
            }
            continue;
        }
        result += c;
    }
    return result;
}

} // namespace

QString shortTime(QTime time) {
    const QLocale locale;
    return locale.toString(time, withoutSeconds(locale.timeFormat(QLocale::ShortFormat)));
}

QString noCompositorNote() {
    return QStringLiteral("Tessel needs a compositing manager to show paper; start one such as "
                          "picom, or turn compositing on in your desktop's settings.");
}

std::optional<QString> statusText(Gate gate, const Settings& settings, const QTimeZone& zone,
                                  const std::function<QString()>& frontAppName) {
    switch (gate) {
    case Gate::off:
        return QStringLiteral("Off");
    case Gate::noCompositor:
        return QStringLiteral("Needs a compositor");
    case Gate::snoozed: {
        const QTime end = settings.snoozedUntil->toDateTime().toTimeZone(zone).time();
        return QStringLiteral("Snoozed until ") + shortTime(end);
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
