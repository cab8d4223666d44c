#pragma once

#include "platform/OverlaySurface.h"

#include <QRasterWindow>

namespace tessel {

// An overlay surface as a frameless Qt window kept above the others, which the window
// manager leaves alone and input passes through: what X11 desktops get.
class WindowSurface final : public QRasterWindow, public OverlaySurface {
    Q_OBJECT

public:
    WindowSurface(const ScreenInfo& host, OverlayPaint paint);

    static std::unique_ptr<OverlaySurface> make(const ScreenInfo& host, OverlayPaint paint);

    void setHost(const ScreenInfo& host) override;
    void show() override { QRasterWindow::show(); }
    void hide() override { QRasterWindow::hide(); }
    bool isVisible() const override { return QRasterWindow::isVisible(); }
    void update(const QRect& area) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    OverlayPaint m_paint;
};

} // namespace tessel
