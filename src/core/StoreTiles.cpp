#include "core/Store.h"

namespace tessel {

Recipe Store::recipeOf(const QString& paperId) const {
    return Paper::find(paperId, m_settings.customPapers).recipe;
}

std::optional<QImage> Store::tile(const Layer& layer) {
    return m_cache.tile(recipeOf(layer.paper), layer.gsm, layer.night);
}

void Store::pruneHeights(const LayerMap& layers) {
    QSet<Recipe> inUse;
    for (const Layer& layer : layers) {
        inUse.insert(recipeOf(layer.paper));
    }
    m_cache.pruneHeights(inUse);
}

void Store::makePreviews() {
    m_cache.makePreviews(Paper::all(m_settings.customPapers));
}

void Store::setPreview(const QString& paperId, std::optional<QImage> preview) {
    m_cache.setPreview(paperId, std::move(preview));
}

} // namespace tessel
