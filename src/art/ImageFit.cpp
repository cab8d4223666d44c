#include "art/ImageFit.h"

#include "art/ArtLog.h"
#include "art/PngRows.h"

#include <QImageReader>

namespace tessel {

namespace {

// Far beyond any camera (a 200-megapixel phone, a stitched panorama), far below a bomb.
constexpr qint64 maxPixels = 400'000'000;

} // namespace

bool fitsInMemory(QSize size) {
    return size.isValid() && !size.isEmpty() && qint64(size.width()) * size.height() <= maxPixels;
}

QImage readImageToFit(const QString& path, QSize box) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!fitsInMemory(stored) || box.isEmpty()) {
        qCWarning(lcArt, "cannot read %s", qUtf8Printable(path));
        return {};
    }
    // The box is upright; the stored pixels may lie on their side.
    if (reader.transformation() & QImageIOHandler::TransformationRotate90) {
        box.transpose();
    }
    const bool larger = stored.width() > box.width() || stored.height() > box.height();
    const QSize scaled = larger ? stored.scaled(box, Qt::KeepAspectRatio) : stored;
    if (larger && reader.format() == "png") {
        if (auto rows = readPngScaled(path, scaled)) {
            return *rows;
        }
    }
    if (larger) {
        reader.setScaledSize(scaled);
    }
    QImage image = reader.read();
    if (image.isNull()) {
        qCWarning(lcArt, "cannot read %s: %s", qUtf8Printable(path),
                  qUtf8Printable(reader.errorString()));
    }
    return image;
}

} // namespace tessel
