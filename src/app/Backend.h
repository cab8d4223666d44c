#pragma once

#include "platform/HotKeys.h"
#include "platform/OverlaySurface.h"
#include "platform/Platform.h"

#include <memory>

namespace tessel {

// What this session's desktop is reached through: the platform, the hot keys, and what the
// overlay and moments draw on (moments on Qt windows when there is no factory).
struct Backend {
    std::unique_ptr<Platform> platform;
    std::unique_ptr<HotKeys> hotKeys;
    OverlaySurfaceFactory overlaySurfaces;
    MomentSurfaceFactory momentSurfaces;
};

// On GNOME's Wayland, Qt's own windows go through XWayland with the paper's, so that they share
// one coordinate space; on Wayland they use shared-memory buffers, never GL. Call before the
// application is made.
void prepareQtPlatform();

// Native Wayland where the compositor offers the layer shell, GNOME's Wayland through XWayland
// and the shell, X11 (or XWayland) otherwise; TESSEL_PLATFORM=x11|wayland|gnome forces one.
// None when the forced one cannot be had.
std::optional<Backend> chooseBackend(const QString& defaultsDirectory);

} // namespace tessel
