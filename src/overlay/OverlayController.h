#pragma once

#include "core/Overlay.h"
#include "overlay/OverlayWindow.h"
#include "overlay/WindowSurface.h"

#include <map>
#include <memory>

namespace tessel {

// Keeps one overlay window per screen in step with what the Store resolved. Its surfaces are
// Qt windows unless the platform makes its own.
class OverlayController final : public Overlay {
public:
    explicit OverlayController(Platform& platform,
                               OverlaySurfaceFactory makeSurface = &WindowSurface::make);
    ~OverlayController() override;

    void sync(const ScreenMap& screens, const LayerMap& layers, const TileMap& tiles,
              const QSet<QString>& pending, bool hideFromScreenshots) override;
    void setFocus(std::optional<QRectF> rect, double strength) override;
    void setRuler(QPointF point, bool hidden, double height) override;

    // Asks the next windows to come on screen to drop in from above.
    bool dropNext = false;

    QStringList windowIds() const;
    OverlayWindow* window(const QString& screenId) const;

private:
    Platform& m_platform;
    OverlaySurfaceFactory m_makeSurface;
    std::map<QString, std::unique_ptr<OverlayWindow>> m_windows;
    ScreenMap m_screens;
};

} // namespace tessel
