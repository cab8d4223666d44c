#include "ui/kit/LitPaper.h"

#include "paper/LitPreview.h"
#include "style/Metrics.h"
#include "ui/kit/Spring.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace tessel {

namespace {

// Closer than this the light reads the same, so the sheet is not drawn again.
constexpr qreal lightTolerance = 0.5;

} // namespace

LitPaper::LitPaper(QWidget* parent)
    : LitPaper({0.35, 1}, parent) {}

LitPaper::LitPaper(Spring restSpring, QWidget* parent)
    : QWidget(parent)
    , m_lightAnimation(new SpringAnimation(restSpring, this)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    connect(m_lightAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_light = v.toPointF();
        update();
    });
}

void LitPaper::setPreview(const QImage& preview) {
    if (preview.cacheKey() == m_preview.cacheKey()) {
        return;
    }
    m_preview = preview;
    invalidate();
}

void LitPaper::setNight(bool night) {
    if (night != m_night) {
        m_night = night;
        invalidate();
    }
}

void LitPaper::setStrength(float strength) {
    if (strength != m_strength) {
        m_strength = strength;
        invalidate();
    }
}

void LitPaper::setCornerRadius(qreal radius) {
    m_radius = radius;
    update();
}

void LitPaper::setRestingLight(std::optional<QPointF> point) {
    m_restingLight = point;
    if (!m_pointerInside) {
        m_lightAnimation->stop();
        m_light = restingLight();
        update();
    }
}

QPointF LitPaper::restingLight() const {
    return m_restingLight.value_or(QPointF(0.2 * width(), -50));
}

void LitPaper::invalidate() {
    m_rendered = QImage();
    update();
}

void LitPaper::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!m_pointerInside) {
        m_lightAnimation->stop();
        m_light = restingLight();
    }
    invalidate();
}

void LitPaper::mouseMoveEvent(QMouseEvent* event) {
    m_pointerInside = true;
    placeLight(event->position());
    QWidget::mouseMoveEvent(event);
}

void LitPaper::enterEvent(QEnterEvent* event) {
    m_pointerInside = true;
    placeLight(event->position());
    QWidget::enterEvent(event);
}

void LitPaper::leaveEvent(QEvent* event) {
    m_pointerInside = false;
    m_lightAnimation->animate(m_light, restingLight());
    QWidget::leaveEvent(event);
}

// Under the pointer the light is where the pointer is: a spring on every move would trail.
void LitPaper::placeLight(QPointF at) {
    m_lightAnimation->stop();
    m_light = at;
    update();
}

void LitPaper::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QPointF moved = m_light - m_renderedLight;
    if (m_rendered.isNull() || m_rendered.devicePixelRatio() != ratio ||
        std::abs(moved.x()) + std::abs(moved.y()) > lightTolerance) {
        m_rendered = litPreview(m_preview, size(), ratio, m_light, m_strength, m_night);
        m_renderedLight = m_light;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath sheet;
    sheet.addRoundedRect(QRectF(rect()), m_radius, m_radius);
    painter.setClipPath(sheet);
    painter.drawImage(QPointF(0, 0), m_rendered);
    painter.setClipping(false);
    // A hairline edge, so a day sheet still parts from a light window.
    painter.setPen(QPen(QColor(0, 0, 0, m_night ? 70 : 22), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(metrics::lineBounds(rect()), m_radius - metrics::halfLine,
                            m_radius - metrics::halfLine);
}

} // namespace tessel
