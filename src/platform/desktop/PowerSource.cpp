#include "platform/desktop/PowerSource.h"

#include "platform/desktop/DBusCall.h"

#include <QDir>
#include <QFile>

namespace tessel {

namespace {

const QString upowerService = QStringLiteral("org.freedesktop.UPower");
const QString upowerPath = QStringLiteral("/org/freedesktop/UPower");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

QByteArray readTrimmed(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
}

} // namespace

PowerSource::PowerSource(QDBusConnection bus, QString powerSupplies)
    : m_bus(std::move(bus))
    , m_powerSupplies(std::move(powerSupplies)) {
    if (!m_bus.isConnected()) {
        return;
    }
    // Any sender, as a named one is looked up asynchronously and early changes would be lost.
    m_bus.connect(QString(), upowerPath, propertiesInterface, QStringLiteral("PropertiesChanged"),
                  this, SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
    m_upower = readUPower();
}

bool PowerSource::onBattery() const {
    return m_upower ? *m_upower : readSupplies();
}

void PowerSource::propertiesChanged(const QString& interface, const QVariantMap& values,
                                    const QStringList& invalidated) {
    if (interface != upowerService) {
        return;
    }
    std::optional<bool> value = m_upower;
    if (const auto it = values.constFind(QStringLiteral("OnBattery")); it != values.constEnd()) {
        value = it->toBool();
    } else if (invalidated.contains(QStringLiteral("OnBattery"))) {
        value = readUPower();
    }
    if (value != m_upower) {
        const bool before = onBattery();
        m_upower = value;
        if (onBattery() != before) {
            Q_EMIT changed();
        }
    }
}

std::optional<bool> PowerSource::readUPower() const {
    const std::optional<QVariant> value =
        dbusCall(m_bus, upowerService, upowerPath, propertiesInterface, QStringLiteral("Get"),
                 {upowerService, QStringLiteral("OnBattery")});
    if (!value || value->metaType() != QMetaType::fromType<bool>()) {
        return std::nullopt;
    }
    return value->toBool();
}

// On battery only when the machine has a mains supply and none of them is online.
bool PowerSource::readSupplies() const {
    bool anyMains = false;
    const QDir supplies(m_powerSupplies);
    for (const QString& supply : supplies.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString base = supplies.filePath(supply);
        if (readTrimmed(base + QStringLiteral("/type")) != "Mains") {
            continue;
        }
        anyMains = true;
        if (readTrimmed(base + QStringLiteral("/online")) == "1") {
            return false;
        }
    }
    return anyMains;
}

} // namespace tessel
