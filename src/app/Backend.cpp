#include "app/Backend.h"

#include "app/AppLog.h"
#include "overlay/WindowSurface.h"
#include "platform/NoHotKeys.h"
#include "platform/desktop/PortalShortcuts.h"
#include "platform/gnome/GnomePlatform.h"
#include "platform/gnome/ShellExtension.h"
#include "platform/gnome/ShellHotKeys.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/WaylandPlatform.h"
#include "platform/x11/GlobalHotKeys.h"
#include "platform/x11/X11Platform.h"
#include "shortcuts/ShortcutActions.h"

namespace tessel {

namespace {

constexpr char forcingVariable[] = "TESSEL_PLATFORM";
constexpr char clientBuffersVariable[] = "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION";

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

// The paper's X window, which GNOME's shell must be told to let the pointer through: it gives
// input to the window's surface whatever the window's X input shape says.
class GnomeWindowSurface final : public OverlaySurface {
public:
    GnomeWindowSurface(ShellExtension& shell, const ScreenInfo& host, OverlayPaint paint)
        : m_shell(shell)
        , m_window(host, std::move(paint)) {}

    void setHost(const ScreenInfo& host) override { m_window.setHost(host); }
    void show() override {
        m_window.show();
        m_shell.passInput(static_cast<quint32>(m_window.winId()));
    }
    void hide() override { m_window.hide(); }
    bool isVisible() const override { return m_window.isVisible(); }
    void update(const QRect& area) override { m_window.update(area); }

private:
    ShellExtension& m_shell;
    WindowSurface m_window;
};

Backend gnomeBackend(const QString& defaultsDirectory) {
    auto platform = std::make_unique<GnomePlatform>(defaultsDirectory);
    auto hotKeys = std::make_unique<ShellHotKeys>(platform->shell());
    OverlaySurfaceFactory surfaces = [&shell = platform->shell()](const ScreenInfo& host,
                                                                  OverlayPaint paint) {
        return std::make_unique<GnomeWindowSurface>(shell, host, std::move(paint));
    };
    return {std::move(platform), std::move(hotKeys), std::move(surfaces), {}};
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
    // Tessel's windows paint with the raster engine. Qt's EGL buffers would only load the GL
    // driver into the process (with llvmpipe some 45 MB of LLVM) and slow the start; asking for
    // buffers Qt does not know leaves its windows on shared memory, with one line of warning.
    if (qEnvironmentVariableIsEmpty(clientBuffersVariable)) {
        qputenv(clientBuffersVariable, "shared-memory");
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
