#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <optional>

namespace tessel {

// Whether the machine runs on battery: UPower's OnBattery, followed through its property
// changes; without UPower, the Mains supplies under sysfs, read when asked. No information
// at all means mains.
class PowerSource final : public QObject {
    Q_OBJECT

public:
    explicit PowerSource(QDBusConnection bus,
                         QString powerSupplies = QStringLiteral("/sys/class/power_supply"));

    bool onBattery() const;

Q_SIGNALS:
    void changed();

private Q_SLOTS:
    void propertiesChanged(const QString& interface, const QVariantMap& values,
                           const QStringList& invalidated);

private:
    std::optional<bool> readUPower() const;
    bool readSupplies() const;

    QDBusConnection m_bus;
    QString m_powerSupplies;
    std::optional<bool> m_upower;
};

} // namespace tessel
