#include "overlay/SheetPainter.h"

#include "overlay/OverlayLog.h"

#include <QRadialGradient>

#include <cmath>

namespace tessel {

namespace {

QColor toColor(const SrgbColor& color, double opacity) {
    return QColor::fromRgbF(static_cast<float>(color.r), static_cast<float>(color.g),
                            static_cast<float>(color.b), static_cast<float>(opacity));
}

} // namespace

void paintLampLayer(QPainter& painter, const LampLayer& layer) {
    if (layer.kind == LampLayer::Kind::fill) {
        painter.fillRect(layer.frame, toColor(layer.color, layer.opacity));
        return;
    }
    if (!(layer.radiusX > 0) || !(layer.radiusY > 0)) {
        return;
    }
    // A unit circle stretched to the ellipse, so one radial gradient serves any aspect.
    QRadialGradient gradient(QPointF(0, 0), 1);
    for (const GradientStop& stop : layer.stops) {
        gradient.setColorAt(stop.location, toColor(stop.color, stop.opacity));
    }
    painter.save();
    painter.translate(layer.center);
    painter.scale(layer.radiusX, layer.radiusY);
    const QRectF frame = layer.frame.translated(-layer.center);
    painter.fillRect(QRectF(frame.x() / layer.radiusX, frame.y() / layer.radiusY,
                            frame.width() / layer.radiusX, frame.height() / layer.radiusY),
                     gradient);
    painter.restore();
}

QImage renderSheet(QSizeF size, double devicePixelRatio, const QImage& tile,
                   const QList<LampLayer>& lamp) {
    const QSize pixels(static_cast<int>(std::ceil(size.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(size.height() * devicePixelRatio)));
    QImage sheet(pixels, QImage::Format_ARGB32_Premultiplied);
    if (sheet.isNull()) {
        qCWarning(lcOverlay, "no memory for a %dx%d sheet: the screen shows no paper",
                  pixels.width(), pixels.height());
        return sheet;
    }
    sheet.setDevicePixelRatio(devicePixelRatio);
    sheet.fill(Qt::transparent);
    QPainter painter(&sheet);
    const TileGrid grid = layoutTiles(size, tile.width(), devicePixelRatio);
    QImage cellImage = tile.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    cellImage.setDevicePixelRatio(devicePixelRatio);
    for (int i = 0; i < grid.count(); ++i) {
        painter.drawImage(grid.cell(i, size.height()).topLeft(), cellImage);
    }
    painter.setRenderHint(QPainter::Antialiasing);
    for (const LampLayer& layer : lamp) {
        paintLampLayer(painter, layer);
    }
    return sheet;
}

} // namespace tessel
