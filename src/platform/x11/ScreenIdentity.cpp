#include "platform/x11/ScreenIdentity.h"

#include <QScreen>
#include <QUuid>

namespace tessel {

namespace {

const QUuid screenNamespace = QUuid::fromString(u"{6f7c2a8e-3b1d-4e5f-9a0b-c4d2e1f3a5b7}");

} // namespace

QString screenIdentifier(const QString& manufacturer, const QString& model,
                         const QString& serialNumber, const QString& outputName) {
    const bool hasEdid = !manufacturer.isEmpty() || !model.isEmpty() || !serialNumber.isEmpty();
    const QString identity =
        hasEdid ? QStringLiteral("edid:%1|%2|%3").arg(manufacturer, model, serialNumber)
                : QStringLiteral("output:") + outputName;
    return QUuid::createUuidV5(screenNamespace, identity).toString(QUuid::WithoutBraces).toUpper();
}

QString screenIdentifier(const QScreen& screen) {
    return screenIdentifier(screen.manufacturer(), screen.model(), screen.serialNumber(),
                            screen.name());
}

} // namespace tessel
