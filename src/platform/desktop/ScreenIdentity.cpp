#include "platform/desktop/ScreenIdentity.h"

#include <QGuiApplication>
#include <QScreen>
#include <QUuid>

namespace tessel {

namespace {

const QUuid screenNamespace = QUuid::fromString(u"{6f7c2a8e-3b1d-4e5f-9a0b-c4d2e1f3a5b7}");

QString identity(const MonitorIdentity& monitor) {
    const bool hasEdid = !monitor.manufacturer.isEmpty() || !monitor.model.isEmpty() ||
                         !monitor.serialNumber.isEmpty();
    return hasEdid ? QStringLiteral("edid:%1|%2|%3")
                         .arg(monitor.manufacturer, monitor.model, monitor.serialNumber)
                   : QStringLiteral("output:") + monitor.outputName;
}

QString uuidOf(const QString& identity) {
    return QUuid::createUuidV5(screenNamespace, identity).toString(QUuid::WithoutBraces).toUpper();
}

MonitorIdentity identityOf(const QScreen& screen) {
    return {screen.manufacturer(), screen.model(), screen.serialNumber(), screen.name()};
}

} // namespace

QString screenIdentifier(const MonitorIdentity& monitor) {
    return uuidOf(identity(monitor));
}

QStringList screenIdentifiers(const QList<MonitorIdentity>& monitors) {
    QStringList identities;
    for (const MonitorIdentity& monitor : monitors) {
        identities << identity(monitor);
    }
    QStringList result;
    for (qsizetype i = 0; i < monitors.size(); ++i) {
        const bool twin = identities.count(identities[i]) > 1;
        result << uuidOf(twin ? identities[i] + QStringLiteral("|output:") + monitors[i].outputName
                              : identities[i]);
    }
    return result;
}

QString screenIdentifier(const QScreen& screen) {
    QList<MonitorIdentity> monitors;
    qsizetype index = -1;
    for (const QScreen* connected : QGuiApplication::screens()) {
        if (connected == &screen) {
            index = monitors.size();
        }
        monitors << identityOf(*connected);
    }
    return index < 0 ? screenIdentifier(identityOf(screen)) : screenIdentifiers(monitors)[index];
}

} // namespace tessel
