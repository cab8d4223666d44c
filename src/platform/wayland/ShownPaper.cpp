#include "platform/wayland/ShownPaper.h"

#include "platform/wayland/LayerSurface.h"

namespace tessel {

const QImage* ShownPaper::on(const QString& screenId) const {
    for (const LayerSurface* surface : m_surfaces) {
        if (surface->screenId() == screenId) {
            if (const QImage* pixels = surface->shownPixels()) {
                return pixels;
            }
        }
    }
    return nullptr;
}

} // namespace tessel
