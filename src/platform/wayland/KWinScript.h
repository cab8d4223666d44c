#pragma once

#include "platform/wayland/KWinReports.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QTemporaryFile>
#include <QTimer>

#include <memory>

namespace tessel {

// Tessel's script inside KWin, loaded through KWin's scripting interface and reporting back to
// `reports()`. Only the Tessel that holds the reporting name loads it, so a second one started
// by mistake leaves the first one's script alone; a script left behind by a Tessel that died is
// replaced, not run twice. Loaded again when KWin restarts, and when what it should do changes:
// it reports the pointer only while Tessel follows it.
class KWinScript final : public QObject {
    Q_OBJECT

public:
    static QString kwinService() { return QStringLiteral("org.kde.KWin"); }

    // The script running in this session's KWin, or null where KWin is not there to load it.
    static std::unique_ptr<KWinScript> start(const QDBusConnection& bus);
    ~KWinScript() override;

    KWinReports& reports() { return m_reports; }
    const KWinReports& reports() const { return m_reports; }
    // Whether the script keeps Tessel's paper out of captures, where KWin can.
    void setExcludeFromCapture(bool exclude);
    bool excludesFromCapture() const { return m_exclude; }
    // Follows the pointer from the first call until nobody asks for a while.
    std::optional<QPoint> pointer();
    // Gives the focus to the app's front window, through a script KWin runs once.
    void activate(const AppInfo& app);

private:
    explicit KWinScript(const QDBusConnection& bus);
    bool load();
    // Writes the text to the file and has KWin run it under the plugin's name, in place of
    // any script loaded under that name before.
    bool loadAndRun(const QString& plugin, QTemporaryFile& file, const QString& text);
    void unload(const QString& plugin);
    bool run(int scriptId);

    QDBusConnection m_bus;
    KWinReports m_reports;
    QDBusServiceWatcher m_kwin;
    // KWin reads the script from a file: Tessel's own copy, with its values filled in.
    std::unique_ptr<QTemporaryFile> m_file;
    bool m_claimed = false;
    bool m_exclude = true;
    QTimer m_pointerWanted;
};

} // namespace tessel
