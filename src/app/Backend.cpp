#include "app/Backend.h"

#include "app/AppLog.h"
#include "overlay/WindowSurface.h"
#include "platform/NoHotKeys.h"
#include "platform/gnome/GnomePlatform.h"
#include "platform/gnome/ShellHotKeys.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandPlatform.h"
#include "platform/x11/GlobalHotKeys.h"
#include "platform/x11/X11Platform.h"

namespace tessel {

namespace {

constexpr char forcingVariable[] = "TESSEL_PLATFORM";

Backend waylandBackend(std::unique_ptr<WaylandConnection> connection,
                       const QString& defaultsDirectory) {
    auto platform = std::make_unique<WaylandPlatform>(std::move(connection), defaultsDirectory);
    OverlaySurfaceFactory surfaces = platform->overlaySurfaces();
    MomentSurfaceFactory moments = platform->momentSurfaces();
    return {std::move(platform), std::make_unique<NoHotKeys>(), std::move(surfaces),
            std::move(moments)};
}

Backend x11Backend(const QString& defaultsDirectory) {
    return {std::make_unique<X11Platform>(defaultsDirectory),
            std::make_unique<GlobalHotKeys>(),
            &WindowSurface::make,
            {}};
}

Backend gnomeBackend(const QString& defaultsDirectory) {
    auto platform = std::make_unique<GnomePlatform>(defaultsDirectory);
    auto hotKeys = std::make_unique<ShellHotKeys>(platform->shell());
    return {std::move(platform), std::move(hotKeys), &WindowSurface::make, {}};
}

bool isForced(const char* name) {
    return qEnvironmentVariable(forcingVariable) == QLatin1StringView(name);
}

} // namespace

void prepareQtPlatform() {
    if ((isForced("gnome") || GnomePlatform::isGnomeWaylandSession()) &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

std::optional<Backend> chooseBackend(const QString& defaultsDirectory) {
    const QString forced = qEnvironmentVariable(forcingVariable);
    const bool anyBackend = forced.isEmpty();
    if (!anyBackend && forced != u"x11" && forced != u"wayland" && forced != u"gnome") {
        qCWarning(lcApp, "%s is \"x11\", \"wayland\" or \"gnome\", not \"%s\"", forcingVariable,
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
    if (forced == u"gnome" || (anyBackend && GnomePlatform::isGnomeWaylandSession())) {
        return gnomeBackend(defaultsDirectory);
    }
    return x11Backend(defaultsDirectory);
}

} // namespace tessel
