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

// Native Wayland where the compositor offers the layer shell, X11 (or XWayland) otherwise;
// TESSEL_PLATFORM=x11|wayland forces one. None when the forced one cannot be had.
std::optional<Backend> chooseBackend(const QString& defaultsDirectory);

} // namespace tessel
