#include "overlay/OverlayWindow.h"

#include "platform/GlobalFrames.h"

#include <QEasingCurve>
#include <QPainter>

namespace tessel {

namespace {

constexpr int paperFadeMilliseconds = 350;
constexpr int crossFadeMilliseconds = 300;
constexpr int dropMilliseconds = 1150;
constexpr double focusCornerRadius = 12;
constexpr double rulerCornerRadius = 6;
constexpr double rulerOverhang = 20;
constexpr double rulerOpacity = 0.26;

QEasingCurve dropCurve() {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.16, 1.0), QPointF(0.3, 1.0), QPointF(1, 1));
    return curve;
}

} // namespace

OverlayWindow::OverlayWindow(const ScreenInfo& host, std::function<bool()> reduceMotion,
                             const OverlaySurfaceFactory& makeSurface)
    : m_host(host)
    , m_reduceMotion(std::move(reduceMotion))
    , m_focusVeil([this](const QRectF& area) { repaint(area); })
    , m_rulerVeil([this](const QRectF& area) { repaint(area); })
    , m_surface(makeSurface(
          host, [this](QPainter& painter, const QRegion& region) { paint(painter, region); })) {

    m_fade.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_fade, &QVariantAnimation::finished, this, [this] {
        if (m_fadeCompletion) {
            std::exchange(m_fadeCompletion, nullptr)();
        }
    });
    connect(&m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_alpha = value.toDouble();
        repaint(QRectF());
    });
    m_crossFadeAnimation.setDuration(crossFadeMilliseconds);
    m_crossFadeAnimation.setStartValue(0.0);
    m_crossFadeAnimation.setEndValue(1.0);
    connect(&m_crossFadeAnimation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) {
                m_crossFade = value.toDouble();
                repaint(QRectF());
            });
    connect(&m_crossFadeAnimation, &QVariantAnimation::finished, this,
            [this] { m_previousSheet = Sheet(); });
    m_dropAnimation.setDuration(dropMilliseconds);
    m_dropAnimation.setEasingCurve(dropCurve());
    connect(&m_dropAnimation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& value) {
                m_dropOffset = value.toDouble();
                repaint(QRectF());
            });
}

OverlayWindow::~OverlayWindow() = default;

void OverlayWindow::setHost(const ScreenInfo& host) {
    const bool moved =
        host.frame != m_host.frame || host.devicePixelRatio != m_host.devicePixelRatio;
    m_host = host;
    if (!moved) {
        return;
    }
    m_surface->setHost(host);
    m_lampKey.reset();
    renderSheet();
}

void OverlayWindow::apply(const QImage& tile, const std::optional<Lamp>& lamp, double strength) {
    const auto key = tessel::lampKey(lamp, strength, m_host.frame.size());
    const bool newTile = tile.cacheKey() != m_tile.cacheKey();
    const bool newLamp = key != m_lampKey;
    if ((newTile || newLamp) && isVisible() && !m_tile.isNull() && !m_reduceMotion()) {
        startCrossFade();
    }
    if (newTile) {
        m_tile = tile;
    }
    if (newLamp) {
        m_lampKey = key;
        m_lampLayers = lamp ? lamp->layers(strength, m_host.frame.size()) : QList<LampLayer>();
    }
    if (newTile || newLamp) {
        renderSheet();
    }
    if (!isVisible() || m_targetAlpha < 1) {
        m_surface->show();
        if (drop && !m_reduceMotion()) {
            m_fade.stop();
            m_alpha = m_targetAlpha = 1;
            startDrop();
        } else {
            fade(1, nullptr);
        }
    }
}

void OverlayWindow::hideSheet() {
    fade(0, [this] {
        if (m_alpha == 0) {
            m_surface->hide();
        }
    });
}

// An interrupted fade never completes, so a show during a hide keeps the window on screen.
void OverlayWindow::fade(double alpha, std::function<void()> completion) {
    m_fade.stop();
    m_targetAlpha = alpha;
    m_fadeCompletion = [this, alpha, completion = std::move(completion)] {
        m_alpha = alpha;
        repaint(QRectF());
        if (completion) {
            completion();
        }
    };
    if (m_reduceMotion() || m_alpha == alpha) {
        std::exchange(m_fadeCompletion, nullptr)();
        return;
    }
    m_fade.setDuration(paperFadeMilliseconds);
    m_fade.setStartValue(m_alpha);
    m_fade.setEndValue(alpha);
    m_fade.start();
}

void OverlayWindow::startDrop() {
    m_dropAnimation.stop();
    m_dropAnimation.setStartValue(m_host.frame.height());
    m_dropAnimation.setEndValue(0.0);
    m_dropAnimation.start();
}

void OverlayWindow::startCrossFade() {
    m_previousSheet = m_sheet;
    m_crossFade = 0;
    m_crossFadeAnimation.stop();
    m_crossFadeAnimation.start();
}

void OverlayWindow::renderSheet() {
    if (m_tile.isNull()) {
        return;
    }
    m_sheet = Sheet(m_host.frame.size(), m_host.devicePixelRatio, m_tile, m_lampLayers);
    ++m_sheetRenders;
    repaint(QRectF());
}

QRectF OverlayWindow::bounds() const {
    return QRectF(QPointF(0, 0), m_host.frame.size());
}

QRectF OverlayWindow::toWindow(const QRectF& layerRect) const {
    return toQtRect(layerRect, m_host.frame.height());
}

void OverlayWindow::repaint(const QRectF& area) {
    m_surface->update(area.isNull() ? QRect() : area.toAlignedRect());
}

void OverlayWindow::setFocus(std::optional<QRectF> hole, double strength) {
    m_focusVeil.setOpening(hole ? std::optional(toWindow(*hole)) : std::nullopt, focusCornerRadius);
    fadeVeil(m_focusVeil, strength > 0 ? 0.1 + 0.32 * strength : 0);
}

// Reduce motion is read only when a fade starts: samples arrive thirty times a second.
void OverlayWindow::fadeVeil(Veil& veil, double opacity) {
    if (static_cast<float>(opacity) != static_cast<float>(veil.target())) {
        veil.setTarget(opacity, !m_reduceMotion());
    }
}

void OverlayWindow::setRuler(std::optional<double> y, double height) {
    if (!y) {
        m_rulerVeil.setOpening(std::nullopt, rulerCornerRadius);
        fadeVeil(m_rulerVeil, 0);
        return;
    }
    const QRectF band(-rulerOverhang, *y - height / 2, m_host.frame.width() + 2 * rulerOverhang,
                      height);
    m_rulerVeil.setOpening(toWindow(band), rulerCornerRadius);
    fadeVeil(m_rulerVeil, rulerOpacity);
}

void OverlayWindow::paint(QPainter& painter, const QRegion& region) const {
    painter.setClipRegion(region);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(region.boundingRect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setOpacity(m_alpha);
    painter.translate(0, -m_dropOffset);
    if (!m_previousSheet.isNull()) {
        painter.setOpacity(m_alpha * (1 - m_crossFade));
        m_previousSheet.paint(painter);
        painter.setOpacity(m_alpha * m_crossFade);
    }
    m_sheet.paint(painter);
    painter.setOpacity(m_alpha);
    painter.setRenderHint(QPainter::Antialiasing);
    m_focusVeil.paint(painter, bounds());
    m_rulerVeil.paint(painter, bounds());
}

} // namespace tessel
