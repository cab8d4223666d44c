#pragma once

#include <QGuiApplication>
#include <QPointF>
#include <QRectF>
#include <QScreen>

namespace tessel {

// Tessel's global frames run y up from the bottom edge of the primary screen; Qt's run y down.
// `bottomEdge` is where the y-up origin lies in Qt's coordinates: the primary screen's bottom
// for the desktop, the height for a window's own space. The flip is its own inverse.

inline QRectF toQtRect(const QRectF& yUp, qreal bottomEdge) {
    return {yUp.x(), bottomEdge - yUp.y() - yUp.height(), yUp.width(), yUp.height()};
}

inline QRectF toYUpRect(const QRectF& qt, qreal bottomEdge) {
    return toQtRect(qt, bottomEdge);
}

inline QPointF toQtPoint(const QPointF& yUp, qreal bottomEdge) {
    return {yUp.x(), bottomEdge - yUp.y()};
}

inline QPointF toYUpPoint(const QPointF& qt, qreal bottomEdge) {
    return toQtPoint(qt, bottomEdge);
}

// The primary screen's bottom edge in Qt's desktop; 0 when there is no screen.
inline qreal primaryBottomEdge() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry().bottom() + 1 : 0;
}

} // namespace tessel
