#pragma once

#include "overlay/SheetPainter.h"
#include "overlay/Veil.h"
#include "paper/Lamp.h"
#include "platform/OverlaySurface.h"

#include <QImage>
#include <QVariantAnimation>

#include <functional>
#include <memory>
#include <optional>

namespace tessel {

// What covers one screen: the paper tile repeated edge to edge, the lamp over it, and the
// focus and ruler veils on top. It paints the same on any kind of overlay surface.
class OverlayWindow final : public QObject {
    Q_OBJECT

public:
    OverlayWindow(const ScreenInfo& host, std::function<bool()> reduceMotion,
                  const OverlaySurfaceFactory& makeSurface);
    ~OverlayWindow() override;

    const ScreenInfo& host() const { return m_host; }
    // Moves the window onto the screen's new frame; the lamp is rebuilt at the next apply.
    void setHost(const ScreenInfo& host);

    // Shows this paper and lamp and brings the window on screen. The same tile object and lamp
    // key do no work; a change on a visible window cross-fades.
    void apply(const QImage& tile, const std::optional<Lamp>& lamp, double strength);
    // Fades out, then leaves the screen unless shown again meanwhile.
    void hideSheet();

    bool drop = false;
    bool isVisible() const { return m_surface->isVisible(); }
    bool isShown() const { return isVisible() && m_alpha > 0; }
    double alpha() const { return m_alpha; }
    const QImage& tile() const { return m_tile; }
    const std::optional<QString>& lampKey() const { return m_lampKey; }
    int sheetRenders() const { return m_sheetRenders; }

    // In window layer space: origin at the lower-left corner, y up, points.
    void setFocus(std::optional<QRectF> hole, double strength);
    void setRuler(std::optional<double> y, double height);
    const Veil& focusVeil() const { return m_focusVeil; }
    const Veil& rulerVeil() const { return m_rulerVeil; }

    // Everything inside `region` of the surface, in its points with y down.
    void paint(QPainter& painter, const QRegion& region) const;

private:
    void fade(double alpha, std::function<void()> completion);
    void startDrop();
    void startCrossFade();
    void renderSheet();
    void fadeVeil(Veil& veil, double opacity);
    QRectF toWindow(const QRectF& layerRect) const;
    QRectF bounds() const;
    void repaint(const QRectF& area);

    ScreenInfo m_host;
    std::function<bool()> m_reduceMotion;
    QImage m_tile;
    std::optional<QString> m_lampKey;
    QList<LampLayer> m_lampLayers;
    Sheet m_sheet;
    Sheet m_previousSheet;
    int m_sheetRenders = 0;
    double m_alpha = 0;
    // Where the current fade is heading; what a new apply compares against.
    double m_targetAlpha = 0;
    double m_crossFade = 1;
    double m_dropOffset = 0;
    QVariantAnimation m_fade;
    std::function<void()> m_fadeCompletion;
    QVariantAnimation m_crossFadeAnimation;
    QVariantAnimation m_dropAnimation;
    Veil m_focusVeil;
    Veil m_rulerVeil;
    // Last, so that it goes first: a surface may still paint while it is torn down.
    std::unique_ptr<OverlaySurface> m_surface;
};

} // namespace tessel
