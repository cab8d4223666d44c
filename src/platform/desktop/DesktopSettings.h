#pragma once

#include "platform/desktop/GtkTheme.h"
#include "platform/desktop/ManagedSettings.h"

#include <QDBusConnection>
#include <QDBusVariant>
#include <QFileSystemWatcher>
#include <QObject>

#include <memory>
#include <optional>

namespace tessel {

class GnomeInterface;

// The desktop's appearance and animation preferences. Dark comes from the settings portal's
// colour scheme; where the portal has no preference, from GNOME's colour scheme, then from
// the GTK theme (GTK_THEME, the settings manager, GTK's settings.ini, GNOME's gtk-theme),
// then the application palette. Each source is followed as it changes.
class DesktopSettings final : public QObject {
    Q_OBJECT

public:
    // Without a settings manager (XSETTINGS) the other sources answer alone.
    explicit DesktopSettings(QDBusConnection sessionBus,
                             std::unique_ptr<ManagedSettings> managed = nullptr);
    ~DesktopSettings() override;

    bool isDark() const;
    bool reduceMotion() const;

Q_SIGNALS:
    void appearanceChanged();

private Q_SLOTS:
    void settingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    std::optional<QVariant> portalRead(const QString& group, const QString& key) const;
    std::optional<QString> gtkThemeName() const;
    void watchGtkFiles();
    void refresh();

    QDBusConnection m_bus;
    std::unique_ptr<GnomeInterface> m_gnome;
    std::unique_ptr<ManagedSettings> m_managed;
    QFileSystemWatcher m_gtkWatcher;
    GtkThemeChoice m_gtkFiles;
    std::optional<uint> m_portalScheme;
    std::optional<bool> m_portalAnimations;
    bool m_dark = false;
};

} // namespace tessel
