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
    };
    struct Focus {
        std::optional<QRectF> rect;
        double strength = 0;
    };

    void sync(const ScreenMap& screens, const LayerMap& layers, const TileMap& tiles,
              const QSet<QString>& pending, bool) override {
        lastSync = Sync{screens, layers, tiles, pending};
    }
    void setFocus(std::optional<QRectF> rect, double strength) override {
        focus = Focus{rect, strength};
    }
    void setRuler(QPointF, bool hidden, double) override { rulerHidden = hidden; }

    Sync lastSync;
    Focus focus;
    bool rulerHidden = true;
};

} // namespace tessel
