#include "platform/GlobalFrames.h"

namespace tessel {

namespace {

qint64 overlap(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return static_cast<qint64>(common.width()) * common.height();
}

const NativeScreen* screenOf(const QRect& rect, const QList<NativeScreen>& screens) {
    const NativeScreen* best = screens.isEmpty() ? nullptr : &screens.front();
    qint64 bestOverlap = 0;
    for (const NativeScreen& screen : screens) {
        if (screen.native.contains(rect.center())) {
            return &screen;
        }
        if (const qint64 area = overlap(rect, screen.native); area > bestOverlap) {
            best = &screen;
            bestOverlap = area;
        }
    }
    return best;
}

} // namespace

QRectF fromNative(const QRect& rect, const QList<NativeScreen>& screens) {
    const NativeScreen* screen = screenOf(rect, screens);
    if (!screen) {
        return rect;
    }
    const QPointF origin = screen->native.topLeft();
    return {origin + (QPointF(rect.topLeft()) - origin) / screen->ratio,
            QSizeF(rect.size()) / screen->ratio};
}

} // namespace tessel
