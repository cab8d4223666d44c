#include "overlay/WindowSurface.h"

#include "platform/GlobalFrames.h"

#include <QPaintEvent>

namespace tessel {

WindowSurface::WindowSurface(const ScreenInfo& host, OverlayPaint paint)
    : m_paint(std::move(paint)) {
    setFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool |
             Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus |
             Qt::X11BypassWindowManagerHint);
    QSurfaceFormat format = requestedFormat();
    format.setAlphaBufferSize(8);
    setFormat(format);
    setTitle(QStringLiteral("Tessel paper"));
    setGeometry(toQtRect(host.frame, primaryBottomEdge()).toAlignedRect());
}

std::unique_ptr<OverlaySurface> WindowSurface::make(const ScreenInfo& host, OverlayPaint paint) {
    return std::make_unique<WindowSurface>(host, std::move(paint));
}

void WindowSurface::setHost(const ScreenInfo& host) {
    setGeometry(toQtRect(host.frame, primaryBottomEdge()).toAlignedRect());
}

void WindowSurface::update(const QRect& area) {
    if (area.isNull()) {
        QRasterWindow::update();
    } else {
        QRasterWindow::update(area);
    }
}

void WindowSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    m_paint(painter, event->region());
}

} // namespace tessel
