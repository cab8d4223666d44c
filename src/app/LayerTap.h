#pragma once

#include "core/Overlay.h"

#include <memory>

namespace tessel {

// Passes everything to the real overlay and remembers the layers of the last sync, so that
// `tessel status` can say what each screen was given.
class LayerTap final : public Overlay {
public:
    explicit LayerTap(std::unique_ptr<Overlay> inner)
        : m_inner(std::move(inner)) {}

    void sync(const ScreenMap& screens, const LayerMap& layers, const TileMap& tiles,
              const QSet<QString>& pending, bool hideFromScreenshots) override {
        m_layers = layers;
        m_inner->sync(screens, layers, tiles, pending, hideFromScreenshots);
    }
    void setFocus(std::optional<QRectF> rect, double strength) override {
        m_inner->setFocus(rect, strength);
    }
    void setRuler(QPointF point, bool hidden, double height) override {
        m_inner->setRuler(point, hidden, height);
    }

    const LayerMap& layers() const { return m_layers; }

private:
    std::unique_ptr<Overlay> m_inner;
    LayerMap m_layers;
};

} // namespace tessel
