#include "moments/ArtLayout.h"

#include <algorithm>

namespace tessel {

namespace {

constexpr double referenceWidth = 1440;
constexpr double maxWidthShare = 0.62;
constexpr double maxHeightShare = 0.68;
constexpr double aspectWithoutImage = 0.75;

} // namespace

double aspectOf(const QImage& image) {
    if (image.isNull()) {
        return aspectWithoutImage;
    }
    return image.width() / std::max(1.0, static_cast<double>(image.height()));
}

ArtLayout artLayout(QSizeF screen, double aspect, const gallery::Collection& collection) {
    ArtLayout layout;
    layout.scale = screen.width() / referenceWidth;
    const double height =
        std::min(screen.width() * maxWidthShare / aspect, screen.height() * maxHeightShare);
    layout.picture = QSizeF(aspect * height, height);
    layout.mat = collection.mat ? collection.matWidth * layout.scale : 0;
    layout.frame = collection.frameWidth * layout.scale;
    const double border = 2 * (layout.mat + layout.frame);
    layout.framed = layout.picture + QSizeF(border, border);
    return layout;
}

} // namespace tessel
