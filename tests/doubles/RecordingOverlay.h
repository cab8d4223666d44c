#pragma once

#include "core/Overlay.h"

namespace tessel {

// Keeps what it was last handed. Stands in for the overlay windows where none can show.
class RecordingOverlay final : public Overlay {
public:
    struct Sync {
        ScreenMap screens;
        LayerMap layers;
        TileMap tiles;
        QSet<QString> pending;
        bool hideFromScreenshots = true;
    };
    struct Focus {
        std::optional<QRectF> rect;
        double strength = 0;
    };
    struct Ruler {
        QPointF point;
        bool hidden = true;
        double height = 0;
    };

    void sync(const ScreenMap& screens, const LayerMap& layers, const TileMap& tiles,
              const QSet<QString>& pending, bool hideFromScreenshots) override {
        lastSync = Sync{screens, layers, tiles, pending, hideFromScreenshots};
    }
    void setFocus(std::optional<QRectF> rect, double strength) override {
        focus = Focus{rect, strength};
    }
    void setRuler(QPointF point, bool hidden, double height) override {
        ruler = Ruler{point, hidden, height};
    }

    Sync lastSync;
    Focus focus;
    Ruler ruler;
};

} // namespace tessel
