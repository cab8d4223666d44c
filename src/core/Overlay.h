#pragma once

#include "core/Layer.h"
#include "platform/Platform.h"

#include <QImage>
#include <QMap>
#include <QSet>

#include <optional>

namespace tessel {

using ScreenMap = QMap<QString, ScreenInfo>;
using TileMap = QMap<QString, QImage>;

// What the Store hands the overlay windows after each refresh.
class Overlay {
public:
    virtual ~Overlay() = default;

    // Screens absent from `layers` show no paper; screens in `pending` keep what they show
    // until their tile arrives.
    virtual void sync(const ScreenMap& screens, const LayerMap& layers, const TileMap& tiles,
                      const QSet<QString>& pending, bool hideFromScreenshots) = 0;

    // Global coordinates with y up.
    virtual void setFocus(std::optional<QRectF> rect, double strength) = 0;
    virtual void setRuler(QPointF point, bool hidden, double height) = 0;
};

} // namespace tessel
