#pragma once

#include "app/AutomationService.h"
#include "app/TrayIcon.h"
#include "app/UpdateCheck.h"
#include "app/WidgetAlerts.h"
#include "app/WindowOpener.h"
#include "core/Store.h"
#include "platform/OverlaySurface.h"
#include "shortcuts/ShortcutRegistry.h"

#include <QUrl>

#include <memory>

namespace tessel {

class HotKeys;
class LayerTap;
class MomentPresenter;

// The application: the Store and everything that reaches it from outside, the panel icon,
// the two windows, the global shortcuts, automation over the session bus and update checks.
class TesselApp final {
public:
    // An empty feed turns the update checks off. dropIn asks the overlay to drop the next
    // paper in from above, as the Welcome does when it first lays the paper down. Moments
    // show on Qt windows unless `moments` makes their surfaces.
    TesselApp(Platform& platform, HotKeys& hotKeys, std::unique_ptr<Overlay> overlay, QUrl feed,
              std::function<void()> dropIn = {}, MomentSurfaceFactory moments = {});
    ~TesselApp();

    enum class Presence { published, alreadyRunning, noBus };
    // Claims Tessel's name on the session bus, so that there is one Tessel per session.
    Presence publish();

    // Starts the Store, binds the shortcuts, checks for updates once a day, puts the icon in
    // the panel (or, without one, opens the controls' window) and opens the Welcome window
    // until onboarding is done.
    void launch();
    // What launching Tessel again while it runs does: Settings once onboarded (the popover's
    // controls in their window when there is no panel icon to reach them by), else Welcome.
    void reopen();
    // The last word before the event loop ends: gives the bus name up at once, so that a
    // Tessel started next can take it while this one is still tearing down.
    void shutDown();

    Store& store() { return m_store; }
    WindowOpener& windows() { return m_windows; }
    TrayIcon& tray() { return m_tray; }
    UpdateCheck& updates() { return m_updates; }
    const LayerMap& layers() const;

private:
    std::unique_ptr<MomentPresenter> makePresenter();

    LayerTap* m_tap;
    Store m_store;
    WidgetAlerts m_alerts;
    UpdateCheck m_updates;
    ShortcutRegistry m_shortcuts;
    WindowOpener m_windows;
    TrayIcon m_tray;
    AutomationService m_automation;
    bool m_published = false;
    MomentSurfaceFactory m_momentSurfaces;
};

} // namespace tessel
