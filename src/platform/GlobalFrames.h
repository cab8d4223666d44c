#pragma once

#include <QGuiApplication>
#include <QList>
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

// A screen's place in the window system's own pixels, and how many of them make a point there.
struct NativeScreen {
    QRect native;
    qreal ratio = 1;
};

// Qt keeps each screen's native origin and scales only the distance from it, so a rect in
// native pixels becomes Qt's points by the ratio of the screen it lies on: the one holding its
// centre, else the one it overlaps most; on no screen at all, the first screen's ratio.
QRectF fromNative(const QRect& rect, const QList<NativeScreen>& screens);

} // namespace tessel
