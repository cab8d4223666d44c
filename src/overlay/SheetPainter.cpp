#include "overlay/SheetPainter.h"

#include "overlay/OverlayLog.h"
#include "style/LampLayerPainter.h"

#include <cmath>

namespace tessel {

namespace {

// The tile in the format the painter blits fastest, at the screen's pixel ratio; the tile
// itself when it is both already.
QImage cellImage(const QImage& tile, double devicePixelRatio) {
    QImage cell = tile.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (cell.devicePixelRatio() != devicePixelRatio) {
        cell.setDevicePixelRatio(devicePixelRatio);
    }
    return cell;
}

void paintCells(QPainter& painter, const TileGrid& grid, double height, const QImage& cell) {
    for (int i = 0; i < grid.count(); ++i) {
        painter.drawImage(grid.cell(i, height).topLeft(), cell);
    }
}

} // namespace

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
    paintCells(painter, layoutTiles(size, tile.width(), devicePixelRatio), size.height(),
               cellImage(tile, devicePixelRatio));
    painter.setRenderHint(QPainter::Antialiasing);
    for (const LampLayer& layer : lamp) {
        paintLampLayer(painter, layer);
    }
    return sheet;
}

Sheet::Sheet(QSizeF size, double devicePixelRatio, const QImage& tile,
             const QList<LampLayer>& lamp) {
    if (!lamp.isEmpty()) {
        m_picture = renderSheet(size, devicePixelRatio, tile, lamp);
        return;
    }
    m_height = size.height();
    m_grid = layoutTiles(size, tile.width(), devicePixelRatio);
    m_cell = cellImage(tile, devicePixelRatio);
}

void Sheet::paint(QPainter& painter) const {
    if (!m_picture.isNull()) {
        painter.drawImage(QPointF(0, 0), m_picture);
        return;
    }
    paintCells(painter, m_grid, m_height, m_cell);
}

} // namespace tessel
