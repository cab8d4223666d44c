#include "app/Backend.h"

#include "app/AppLog.h"
#include "overlay/WindowSurface.h"
#include "platform/NoHotKeys.h"
#include "platform/desktop/PortalShortcuts.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandPlatform.h"
#include "platform/x11/GlobalHotKeys.h"
#include "platform/x11/X11Platform.h"
#include "shortcuts/ShortcutActions.h"

namespace tessel {

namespace {

constexpr char forcingVariable[] = "TESSEL_PLATFORM";

Backend waylandBackend(std::unique_ptr<WaylandConnection> connection,
                       const QString& defaultsDirectory) {
    auto platform = std::make_unique<WaylandPlatform>(std::move(connection), defaultsDirectory);
    OverlaySurfaceFactory surfaces = platform->overlaySurfaces();
    MomentSurfaceFactory moments = platform->momentSurfaces();
    std::unique_ptr<HotKeys> hotKeys;
    if (platform->unavailable(DesktopAbility::globalShortcuts)) {
        hotKeys = std::make_unique<NoHotKeys>();
    } else {
        hotKeys = std::make_unique<PortalShortcuts>(QDBusConnection::sessionBus(),
                                                    &ShortcutActions::title);
    }
    return {std::move(platform), std::move(hotKeys), std::move(surfaces), std::move(moments)};
}

Backend x11Backend(const QString& defaultsDirectory) {
    return {std::make_unique<X11Platform>(defaultsDirectory),
            std::make_unique<GlobalHotKeys>(),
            &WindowSurface::make,
            {}};
}

} // namespace

std::optional<Backend> chooseBackend(const QString& defaultsDirectory) {
    const QString forced = qEnvironmentVariable(forcingVariable);
    const bool anyBackend = forced.isEmpty();
    if (!anyBackend && forced != u"x11" && forced != u"wayland") {
        qCWarning(lcApp, "%s is \"x11\" or \"wayland\", not \"%s\"", forcingVariable,
                  qUtf8Printable(forced));
        return std::nullopt;
    }
    if (anyBackend || forced == u"wayland") {
        if (auto connection = WaylandPlatform::connectToLayerShell()) {
            return waylandBackend(std::move(connection), defaultsDirectory);
        }
        if (!anyBackend) {
            qCWarning(lcApp, "no Wayland compositor with the layer shell to draw paper on");
            return std::nullopt;
        }
    }
    return x11Backend(defaultsDirectory);
}

} // namespace tessel
