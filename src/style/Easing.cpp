#include "style/Easing.h"

#include <QPointF>

namespace tessel {

namespace {

QEasingCurve bezier(QPointF c1, QPointF c2) {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(c1, c2, QPointF(1, 1));
    return curve;
}

qreal inOutAndBack(qreal progress) {
    static const QEasingCurve inOut = easeInOut();
    return progress < 0.5 ? inOut.valueForProgress(2 * progress)
                          : inOut.valueForProgress(2 - 2 * progress);
}

} // namespace

QEasingCurve easeOut() {
    return bezier(QPointF(0, 0), QPointF(0.58, 1));
}

QEasingCurve easeInOut() {
    return bezier(QPointF(0.42, 0), QPointF(0.58, 1));
}

QEasingCurve easeInOutAndBack() {
    QEasingCurve curve;
    curve.setCustomType(inOutAndBack);
    return curve;
}

} // namespace tessel
