#include "ui/kit/Swatch.h"

#include "paper/LitPreview.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/PressScale.h"
#include "ui/kit/Spring.h"

#include <QPainter>
#include <QPainterPath>

namespace tessel {

namespace {

constexpr qreal cornerRadius = metrics::controlRadius;
// The face sits inside the button, leaving room for the ring that marks the choice.
constexpr qreal faceInset = 2.5;
constexpr qreal ringReach = 1.75;
constexpr qreal ringWidth = 1.5;
constexpr qreal edgeWidth = 0.5;
constexpr qreal hoveredEdge = 0.3;
// The light stays put up and to the left, so every swatch in a grid reads alike.
constexpr QPointF fixedLight(-10, -30);
constexpr float reliefStrength = 1.4f;

} // namespace

Swatch::Swatch(const Paper& paper, QWidget* parent)
    : QAbstractButton(parent)
    , m_paper(paper)
    , m_press(new PressScale(*this))
    , m_ringAnimation(new SpringAnimation(Spring::shared(), this)) {
    setFixedSize(fixedSize);
    setCheckable(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(paper.name);
    connect(m_ringAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_ring = v.toDouble();
        update();
    });
}

void Swatch::setPreview(const QImage& preview) {
    if (preview.cacheKey() != m_preview.cacheKey()) {
        m_preview = preview;
        m_rendered = QImage();
        update();
    }
}

void Swatch::setNight(bool night) {
    if (night != m_night) {
        m_night = night;
        m_rendered = QImage();
        update();
    }
}

void Swatch::setSelected(bool selected) {
    setChecked(selected);
    const qreal target = selected ? 1 : 0;
    // Nothing to watch while hidden: the ring is simply there when it shows.
    if (!isVisible()) {
        m_ringAnimation->stop();
        m_ring = target;
        return;
    }
    const bool running = m_ringAnimation->state() == QAbstractAnimation::Running;
    if (running ? m_ringAnimation->endValue().toDouble() != target : m_ring != target) {
        m_ringAnimation->animate(m_ring, target);
    }
}

// The grid decides which swatch is checked; a click only asks for it.
void Swatch::nextCheckState() {}

void Swatch::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (m_rendered.isNull() || m_rendered.devicePixelRatio() != ratio) {
        m_rendered =
            litPreview(m_preview, QSizeF(fixedSize), ratio, fixedLight, reliefStrength, m_night);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(rect());
    m_press->scaled(painter, bounds);

    const QRectF face = bounds.adjusted(faceInset, faceInset, -faceInset, -faceInset);
    QPainterPath shape;
    shape.addRoundedRect(face, cornerRadius - faceInset, cornerRadius - faceInset);
    painter.save();
    painter.setClipPath(shape);
    painter.drawImage(bounds.topLeft(), m_rendered);
    painter.restore();

    const Tones tones = Tones::of(palette());
    const bool hovered = underMouse() || hasFocus();
    painter.setPen(
        QPen(hovered ? withAlpha(tones.primary, hoveredEdge) : QColor(0, 0, 0, 20), edgeWidth));
    painter.drawPath(shape);
    if (m_ring > 0.01) {
        painter.setPen(QPen(withAlpha(tones.primary, std::min(m_ring, 1.0)), ringWidth));
        const qreal grow = ringReach * std::min(m_ring, 1.2);
        const qreal radius = cornerRadius - faceInset + grow;
        painter.drawRoundedRect(face.adjusted(-grow, -grow, grow, grow), radius, radius);
    }
}

} // namespace tessel
