#pragma once

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>

#include <optional>

namespace tessel {

// The desktop's appearance and animation preferences, from the settings portal (followed
// through SettingChanged), else gsettings, else the application palette and kdeglobals.
class DesktopSettings final : public QObject {
    Q_OBJECT

public:
    explicit DesktopSettings(QDBusConnection sessionBus);

    bool isDark() const;
    bool reduceMotion() const;

Q_SIGNALS:
    void appearanceChanged();

private Q_SLOTS:
    void settingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    std::optional<QVariant> portalRead(const QString& group, const QString& key) const;

    QDBusConnection m_bus;
    std::optional<bool> m_dark;
    std::optional<bool> m_animations;
};

} // namespace tessel
