#pragma once

#include "ui/welcome/WelcomePanelStep.h"

#include <QRect>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

namespace tessel {

class ShortcutRegistry;
class Store;

// The registry of Tessel's two ordinary windows, "welcome" and "settings". Each is made on
// its first request and then kept, closed or not, for the life of the process, so opening
// it again shows it where and as the user left it.
class WindowOpener {
public:
    // Without checkForUpdates the Settings window offers no update check; dropIn asks the
    // overlay to drop the paper in when the Welcome lays it down; iconPlace tells the Welcome
    // where to find Tessel afterwards.
    WindowOpener(Store& store, ShortcutRegistry* shortcuts, std::function<void()> checkForUpdates,
                 std::function<void()> dropIn = {}, std::function<IconPlace()> iconPlace = {});
    ~WindowOpener();

    // Any identifier but "welcome" opens Settings.
    QWidget& open(const QString& id);
    QWidget* window(const QString& id) const;

    static QString frameKey() { return QStringLiteral("windowFrame_TesselSettings"); }

private:
    std::unique_ptr<QWidget> makeWelcome();
    std::unique_ptr<QWidget> makeSettings();
    void saveSettingsFrame();

    Store& m_store;
    ShortcutRegistry* m_shortcuts;
    std::function<void()> m_checkForUpdates;
    std::function<void()> m_dropIn;
    std::function<IconPlace()> m_iconPlace;
    // Set while the windows are being destroyed, when their frames are no longer the user's.
    bool m_closing = false;
    std::map<QString, std::unique_ptr<QWidget>> m_windows;
};

} // namespace tessel
