#pragma once

#include <QHash>
#include <QObject>
#include <QProcess>
#include <QString>

#include <optional>

namespace tessel {

// The org.gnome.desktop.interface keys as gsettings reads them, kept current by a
// `gsettings monitor` beside Tessel: desktops without the settings portal (and the portal's
// own fallback) keep their appearance there.
class GnomeInterface final : public QObject {
    Q_OBJECT

public:
    GnomeInterface();
    ~GnomeInterface() override;

    // A key's value without GVariant's quotes ("prefer-dark", "Adwaita", "true"); none while
    // gsettings or the schema is missing.
    std::optional<QString> value(const QString& key) const;

Q_SIGNALS:
    void changed();

private:
    void readMonitor();

    QHash<QString, QString> m_values;
    QProcess m_monitor;
    QByteArray m_partialLine;
};

} // namespace tessel
