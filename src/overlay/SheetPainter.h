#pragma once

#include "overlay/TileGrid.h"
#include "paper/LampLayer.h"

#include <QImage>
#include <QList>
#include <QPainter>

namespace tessel {

// The paper of one screen as a picture: the tile repeated cell by cell with the lamp's layers
// over it.
QImage renderSheet(QSizeF size, double devicePixelRatio, const QImage& tile,
                   const QList<LampLayer>& lamp);

// The paper of one screen, ready to paint over and over. Without a lamp it paints the cells
// straight from the tile and keeps no screen-sized picture beside the window's own; a lamp's
// gradients cost too much to repaint every frame, so with one the whole picture is kept.
class Sheet final {
public:
    Sheet() = default;
    Sheet(QSizeF size, double devicePixelRatio, const QImage& tile, const QList<LampLayer>& lamp);

    bool isNull() const { return m_cell.isNull() && m_picture.isNull(); }
    // At the painter's opacity, from the window's top-left corner.
    void paint(QPainter& painter) const;

private:
    double m_height = 0;
    TileGrid m_grid;
    QImage m_cell;
    QImage m_picture;
};

} // namespace tessel
