#pragma once

#include "app/MenuBarIcon.h"

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

#include <functional>
#include <optional>

namespace tessel {

class Store;

// Tessel's place in the panel. A click opens a small menu of the everyday actions: paper
// on or off, snooze or resume, Settings and Quit.
class TrayIcon final : public QObject {
    Q_OBJECT

public:
    TrayIcon(Store& store, std::function<void()> openSettings);

    // Whether the desktop has a panel to show it in.
    static bool hostAvailable();
    void show();

    std::optional<MenuBarIcon::State> shownState() const { return m_shown; }
    QMenu& menu() { return m_menu; }

private:
    void redraw();
    void buildMenu();
    void updateMenu();

    Store& m_store;
    std::function<void()> m_openSettings;
    QSystemTrayIcon m_icon;
    QMenu m_menu;
    QMenu m_snoozeMenu{QStringLiteral("Snooze")};
    QAction* m_paper = nullptr;
    QAction* m_resume = nullptr;
    std::optional<MenuBarIcon::State> m_shown;
    std::optional<bool> m_shownDark;
};

} // namespace tessel
