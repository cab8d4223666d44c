#pragma once

#include "app/MenuBarIcon.h"
#include "ui/popover/PopoverView.h"
#include "ui/welcome/WelcomePanelStep.h"

#include <QObject>
#include <QSystemTrayIcon>

#include <functional>
#include <optional>

namespace tessel {

class Store;

// Tessel's place in the panel. A click opens the popover of everyday controls beside the
// icon, or at the pointer when the panel does not say where the icon is. Its tooltip carries
// the status line. Without a panel, the popover's controls open as a small window instead.
class TrayIcon final : public QObject {
    Q_OBJECT

public:
    TrayIcon(Store& store, std::function<void()> openSettings);

    // Whether the desktop has a panel to show it in.
    static bool hostAvailable();
    void show();
    // Whether show() put the icon in a panel.
    bool inPanel() const { return m_icon.isVisible(); }
    // Which edge of the screen the icon sits at, when the panel says.
    IconPlace place() const;

    // The popover beside the icon, or, with no icon in a panel, the controls' window.
    void openPopover();
    PopoverView& popover() { return m_popover; }
    std::optional<MenuBarIcon::State> shownState() const { return m_shown; }
    QString toolTip() const { return m_icon.toolTip(); }

private:
    void redraw();
    void retell();

    Store& m_store;
    QSystemTrayIcon m_icon;
    PopoverView m_popover;
    std::optional<MenuBarIcon::State> m_shown;
    std::optional<bool> m_shownDark;
};

} // namespace tessel
