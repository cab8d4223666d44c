#include "style/LampLayerPainter.h"

#include <QRadialGradient>

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

} // namespace tessel
