#pragma once

#include "paper/LampLayer.h"

#include <QPainter>

namespace tessel {

// One layer of a desk lamp's light, as the overlay's sheets and the Settings previews show it.
void paintLampLayer(QPainter& painter, const LampLayer& layer);

} // namespace tessel
