#pragma once

#include "art/Gallery.h"

#include <QImage>
#include <QSizeF>

namespace tessel {

// Where a framed painting sits on a screen, in points. Everything scales with the screen's
// width against a 1440-point reference.
struct ArtLayout {
    double scale = 1;
    QSizeF picture;
    double mat = 0;
    double frame = 0;
    // Picture, mat and frame together; the caption is no wider.
    QSizeF framed;
};

// Width over height of the image, 0.75 without one.
double aspectOf(const QImage& image);

// The picture fills at most 62 % of the screen's width and 68 % of its height.
ArtLayout artLayout(QSizeF screen, double aspect, const gallery::Collection& collection);

} // namespace tessel
