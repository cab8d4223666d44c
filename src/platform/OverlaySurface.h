#pragma once

#include "platform/Platform.h"

#include <QPainter>
#include <QRect>
#include <QRegion>

#include <functional>
#include <memory>

namespace tessel {

// Draws an overlay: the painter works in the surface's own points, y down, and only `region`
// needs painting; everything in it starts out as whatever was there before.
using OverlayPaint = std::function<void(QPainter& painter, const QRegion& region)>;

// A click-through, always-on-top, translucent surface covering one screen, that takes no
// focus. It asks its painter for pixels whenever it needs them.
class OverlaySurface {
public:
    virtual ~OverlaySurface() = default;

    // Follows the screen to its new frame or pixel ratio.
    virtual void setHost(const ScreenInfo& host) = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual bool isVisible() const = 0;
    // Asks for `area` (surface points, y down) to be painted again; a null rectangle is all.
    virtual void update(const QRect& area) = 0;
};

using OverlaySurfaceFactory =
    std::function<std::unique_ptr<OverlaySurface>(const ScreenInfo& host, OverlayPaint paint)>;

// The same for a moment, above the paper: it takes the keyboard and the pointer instead of
// letting them through, and runs `pressed` at any key or click.
using MomentSurfaceFactory = std::function<std::unique_ptr<OverlaySurface>(
    const ScreenInfo& host, OverlayPaint paint, std::function<void()> pressed)>;

} // namespace tessel
