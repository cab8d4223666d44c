#include "ui/kit/Spring.h"

#include <QPointF>
#include <QRectF>

#include <cmath>
#include <numbers>

namespace tessel {

double Spring::at(double seconds) const {
    const double omega = 2 * std::numbers::pi / response;
    const double decay = std::exp(-damping * omega * seconds);
    if (damping >= 1) {
        return 1 - decay * (1 + omega * seconds);
    }
    const double swing = omega * std::sqrt(1 - damping * damping);
    return 1 - decay * (std::cos(swing * seconds) +
                        damping * omega / swing * std::sin(swing * seconds));
}

int Spring::settleMilliseconds() const {
    const double omega = 2 * std::numbers::pi / response;
    // The farthest from 1 the spring can still be at t; it only shrinks.
    const auto reach = [&](double t) {
        const double decay = std::exp(-damping * omega * t);
        return damping >= 1 ? decay * (1 + omega * t) : decay / std::sqrt(1 - damping * damping);
    };
    int milliseconds = 0;
    while (reach(milliseconds / 1000.0) > 0.001) {
        ++milliseconds;
    }
    return milliseconds;
}

SpringAnimation::SpringAnimation(Spring spring, QObject* parent)
    : QVariantAnimation(parent)
    , m_spring(spring) {
    setDuration(spring.settleMilliseconds());
    setEasingCurve(QEasingCurve::Linear);
}

void SpringAnimation::animate(const QVariant& from, const QVariant& to) {
    stop();
    setStartValue(from);
    setEndValue(to);
    start();
}

QVariant SpringAnimation::interpolated(const QVariant& from, const QVariant& to,
                                       qreal progress) const {
    const double s = progress >= 1 ? 1 : m_spring.at(progress * duration() / 1000.0);
    if (from.typeId() == QMetaType::QPointF) {
        const QPointF a = from.toPointF();
        return a + (to.toPointF() - a) * s;
    }
    if (from.typeId() == QMetaType::QRectF) {
        const QRectF a = from.toRectF();
        const QRectF b = to.toRectF();
        return QRectF(a.topLeft() + (b.topLeft() - a.topLeft()) * s,
                      a.size() + (b.size() - a.size()) * s);
    }
    const double a = from.toDouble();
    return a + (to.toDouble() - a) * s;
}

} // namespace tessel
