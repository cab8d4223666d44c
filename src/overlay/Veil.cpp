#include "overlay/Veil.h"

#include <QPainter>

#include <algorithm>
#include <utility>

namespace tessel {

namespace {

constexpr int veilFadeMilliseconds = 300;
// Everything the band or hole touches, with room for antialiased edges.
constexpr double edgeMargin = 2;

QRectF dirtyArea(const std::optional<QRectF>& opening) {
    return opening ? opening->adjusted(-edgeMargin, -edgeMargin, edgeMargin, edgeMargin) : QRectF();
}

} // namespace

Veil::Veil(std::function<void(const QRectF&)> changed)
    : m_changed(std::move(changed)) {
    m_animation.setDuration(veilFadeMilliseconds);
    connect(&m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_opacity = value.toDouble();
        m_changed(QRectF());
    });
}

void Veil::setOpening(std::optional<QRectF> opening, double cornerRadius) {
    if (opening == m_opening && cornerRadius == m_cornerRadius) {
        return;
    }
    const std::optional<QRectF> previous = std::exchange(m_opening, opening);
    const bool sameCorners = cornerRadius == m_cornerRadius;
    m_cornerRadius = cornerRadius;
    if (m_opacity <= 0) {
        return;
    }
    if (!previous || !opening) {
        m_changed(QRectF());
        return;
    }
    // A band sliding up or down, as the ruler does, changes only near its top and bottom edges.
    if (sameCorners && previous->left() == opening->left() &&
        previous->width() == opening->width()) {
        const double reach = cornerRadius + edgeMargin;
        const auto rows = [&](double a, double b, double inward) {
            const double top = std::min(a, b) - (inward < 0 ? reach : edgeMargin);
            const double bottom = std::max(a, b) + (inward > 0 ? reach : edgeMargin);
            m_changed(QRectF(opening->left() - edgeMargin, top, opening->width() + 2 * edgeMargin,
                             bottom - top));
        };
        rows(previous->top(), opening->top(), 1);
        rows(previous->bottom(), opening->bottom(), -1);
        return;
    }
    // Only what the opening left and what it now covers change.
    m_changed(dirtyArea(previous));
    m_changed(dirtyArea(opening));
}

void Veil::setTarget(double opacity, bool animate) {
    if (static_cast<float>(opacity) == static_cast<float>(m_target)) {
        return;
    }
    m_target = opacity;
    m_animation.stop();
    if (!animate) {
        m_opacity = opacity;
        m_changed(QRectF());
        return;
    }
    m_animation.setStartValue(m_opacity);
    m_animation.setEndValue(opacity);
    m_animation.start();
}

void Veil::paint(QPainter& painter, const QRectF& bounds) const {
    if (m_opacity <= 0) {
        return;
    }
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addRect(bounds);
    if (m_opening) {
        path.addRoundedRect(*m_opening, m_cornerRadius, m_cornerRadius);
    }
    painter.save();
    painter.setOpacity(painter.opacity() * m_opacity);
    painter.fillPath(path, Qt::black);
    painter.restore();
}

} // namespace tessel
