#pragma once

#include <QRectF>
#include <QSizeF>

namespace tessel {

// How a square tile repeats over a screen: whole cells of `side` points, cell 0 at the
// lower-left corner, the last row and column overhanging the top and right edges.
struct TileGrid {
    int columns = 0;
    int rows = 0;
    double side = 0;

    int count() const { return columns * rows; }

    // Cell i in window coordinates (y down), for a screen `height` points tall.
    QRectF cell(int index, double height) const;
};

// The grid for a tile of `tilePixels` square on a screen of `size` points at `devicePixelRatio`.
// Empty when any input is not positive.
TileGrid layoutTiles(QSizeF size, int tilePixels, double devicePixelRatio);

} // namespace tessel
