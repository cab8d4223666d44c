#pragma once

#include "overlay/TileGrid.h"
#include "paper/LampLayer.h"

#include <QImage>
#include <QList>
#include <QPainter>

namespace tessel {

// The paper of one screen as a picture: the tile repeated cell by cell with the lamp's layers
// over it, rendered once per change so that animation frames only blit it.
QImage renderSheet(QSizeF size, double devicePixelRatio, const QImage& tile,
                   const QList<LampLayer>& lamp);

} // namespace tessel
