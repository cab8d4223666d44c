#include "overlay/SheetPainter.h"

#include "overlay/OverlayLog.h"
#include "style/LampLayerPainter.h"

#include <cmath>

namespace tessel {

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
