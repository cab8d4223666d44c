#include "platform/desktop/DesktopEntries.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <algorithm>

namespace tessel {

namespace {

struct ParsedEntry {
    QString name;
    QString startupWmClass;
    QString icon;
    QString type;
    bool hidden = false;
    bool noDisplay = false;
};

// Only the [Desktop Entry] group's unlocalised keys matter here.
ParsedEntry parse(const QString& path) {
    ParsedEntry entry;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        entry.hidden = true;
        return entry;
    }
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inMainGroup = line == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inMainGroup || equals <= 0) {
            continue;
        }
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == u"Name") {
            entry.name = value;
        } else if (key == u"StartupWMClass") {
            entry.startupWmClass = value;
        } else if (key == u"Icon") {
            entry.icon = value;
        } else if (key == u"Type") {
            entry.type = value;
        } else if (key == u"Hidden") {
            entry.hidden = value == u"true";
        } else if (key == u"NoDisplay") {
            entry.noDisplay = value == u"true";
        }
    }
    return entry;
}

} // namespace

QStringList DesktopEntries::dataDirectories() {
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty()) {
        home = QDir::homePath() + QStringLiteral("/.local/share");
    }
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty()) {
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    }
    return QStringList{home} + dirs.split(u':', Qt::SkipEmptyParts);
}

DesktopEntries::DesktopEntries(QStringList dataDirectories)
    : m_directories(std::move(dataDirectories)) {}

std::optional<QString> DesktopEntries::idForWindowClass(const QString& className,
                                                        const QString& instance) {
    load();
    for (const QString& key : {className.toLower(), instance.toLower()}) {
        if (key.isEmpty()) {
            continue;
        }
        if (const auto it = m_byWmClass.constFind(key); it != m_byWmClass.constEnd()) {
            return *it;
        }
    }
    for (const QString& key : {className.toLower(), instance.toLower()}) {
        if (const auto it = m_byLowerId.constFind(key); it != m_byLowerId.constEnd()) {
            return *it;
        }
    }
    return std::nullopt;
}

std::optional<QString> DesktopEntries::name(const QString& id) {
    load();
    const auto it = m_entries.constFind(id);
    if (it == m_entries.constEnd() || it->name.isEmpty()) {
        return std::nullopt;
    }
    return it->name;
}

std::optional<InstalledApp> DesktopEntries::app(const QString& appId) {
    load();
    if (m_entries.contains(appId)) {
        return installed(appId);
    }
    const QString lower = appId.toLower();
    for (const auto* index : {&m_byLowerId, &m_byWmClass}) {
        if (const auto it = index->constFind(lower); it != index->constEnd()) {
            return installed(*it);
        }
    }
    return std::nullopt;
}

QList<InstalledApp> DesktopEntries::visibleApps() {
    load();
    QList<InstalledApp> apps;
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it->listed && !it->name.isEmpty()) {
            apps.append(installed(it.key()));
        }
    }
    std::sort(apps.begin(), apps.end(), [](const InstalledApp& a, const InstalledApp& b) {
        const int order = QString::localeAwareCompare(a.name, b.name);
        return order != 0 ? order < 0 : a.id < b.id;
    });
    return apps;
}

InstalledApp DesktopEntries::installed(const QString& id) const {
    const Entry entry = m_entries.value(id);
    return {id, entry.name.isEmpty() ? id : entry.name, entry.icon};
}

void DesktopEntries::load() {
    if (m_loaded) {
        return;
    }
    m_loaded = true;
    for (const QString& directory : m_directories) {
        loadDirectory(directory + QStringLiteral("/applications"));
    }
}

void DesktopEntries::loadDirectory(const QString& applications) {
    const QDir root(applications);
    QDirIterator it(applications, {QStringLiteral("*.desktop")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        // Entries in sub-folders have ids joined with dashes (kde4/okular → kde4-okular).
        QString id = root.relativeFilePath(path);
        id.chop(8);
        id.replace(u'/', u'-');
        // Earlier folders win, and a hidden entry there masks the same id further down.
        if (m_seen.contains(id)) {
            continue;
        }
        m_seen.insert(id);
        const ParsedEntry parsed = parse(path);
        if (parsed.hidden) {
            continue;
        }
        m_byLowerId.insert(id.toLower(), id);
        const bool listed = parsed.type == u"Application" && !parsed.noDisplay;
        m_entries.insert(id, {parsed.name, parsed.startupWmClass, parsed.icon, listed});
        if (!parsed.startupWmClass.isEmpty() &&
            !m_byWmClass.contains(parsed.startupWmClass.toLower())) {
            m_byWmClass.insert(parsed.startupWmClass.toLower(), id);
        }
    }
}

} // namespace tessel
