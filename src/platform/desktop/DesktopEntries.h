#pragma once

#include "platform/Platform.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace tessel {

// The installed desktop entries (applications/*.desktop in the XDG data folders), read once
// on first use: which entry a window class belongs to, and the entries' names and icons.
class DesktopEntries {
public:
    // $XDG_DATA_HOME then $XDG_DATA_DIRS, each with their defaults.
    static QStringList dataDirectories();

    explicit DesktopEntries(QStringList dataDirectories = DesktopEntries::dataDirectories());

    // The id of the entry whose StartupWMClass, or failing that whose id, matches the
    // class or instance of WM_CLASS, ignoring case.
    std::optional<QString> idForWindowClass(const QString& className, const QString& instance);

    // The entry's Name, or none for an unknown id.
    std::optional<QString> name(const QString& id);

    // The entry under this id, else under it ignoring case, else the one whose
    // StartupWMClass matches it ignoring case.
    std::optional<InstalledApp> app(const QString& appId);
    // Applications a launcher shows (Type=Application without NoDisplay), by name.
    QList<InstalledApp> visibleApps();

private:
    struct Entry {
        QString name;
        QString startupWmClass;
        QString icon;
        bool listed = true;
    };

    InstalledApp installed(const QString& id) const;

    void load();
    void loadDirectory(const QString& applications);

    QStringList m_directories;
    bool m_loaded = false;
    QSet<QString> m_seen;
    QHash<QString, Entry> m_entries;
    QHash<QString, QString> m_byWmClass; // lower-cased StartupWMClass → id
    QHash<QString, QString> m_byLowerId;
};

} // namespace tessel
