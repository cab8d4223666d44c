#include "core/Store.h"

namespace tessel {

std::optional<QImage> Store::tile(const Layer&) {
    return std::nullopt;
}

void Store::pruneHeights(const LayerMap&) {}

} // namespace tessel
