#pragma once

#include "app/MenuBarIcon.h"
#include "ui/popover/PopoverView.h"

#include <QObject>
#include <QSystemTrayIcon>

#include <functional>
#include <optional>

namespace tessel {

class Store;

// Tessel's place in the panel. A click opens the popover of everyday controls beside the
// icon, or at the pointer when the panel does not say where the icon is.
class TrayIcon final : public QObject {
    Q_OBJECT

public:
    TrayIcon(Store& store, std::function<void()> openSettings);

    // Whether the desktop has a panel to show it in.
    static bool hostAvailable();
    void show();

    void openPopover();
    PopoverView& popover() { return m_popover; }
    std::optional<MenuBarIcon::State> shownState() const { return m_shown; }

private:
    void redraw();

    Store& m_store;
    QSystemTrayIcon m_icon;
    PopoverView m_popover;
    std::optional<MenuBarIcon::State> m_shown;
    std::optional<bool> m_shownDark;
};

} // namespace tessel
