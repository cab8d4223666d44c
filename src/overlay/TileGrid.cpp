#include "overlay/TileGrid.h"

#include "platform/GlobalFrames.h"

#include <cmath>

namespace tessel {

QRectF TileGrid::cell(int index, double height) const {
    const int column = index % columns;
    const int row = index / columns;
    return toQtRect(QRectF(column * side, row * side, side, side), height);
}

TileGrid layoutTiles(QSizeF size, int tilePixels, double devicePixelRatio) {
    if (tilePixels <= 0 || !(devicePixelRatio > 0) || size.isEmpty()) {
        return {};
    }
    const double side = tilePixels / devicePixelRatio;
    return {static_cast<int>(std::ceil(size.width() / side)),
            static_cast<int>(std::ceil(size.height() / side)), side};
}

} // namespace tessel
