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
    const QSize upright = box;
    if (reader.transformation() & QImageIOHandler::TransformationRotate90) {
        box.transpose();
    }
    const bool larger = stored.width() > box.width() || stored.height() > box.height();
    const QSize fitted = stored.scaled(box, Qt::KeepAspectRatio);
    QImage image;
    if (larger && reader.format() == "png") {
        image = readPngScaled(path, fitted).value_or(QImage());
    }
    if (image.isNull()) {
        if (larger) {
            reader.setScaledSize(fitted);
        }
        image = reader.read();
    }
    if (image.isNull()) {
        qCWarning(lcArt, "cannot read %s: %s", qUtf8Printable(path),
                  qUtf8Printable(reader.errorString()));
        return image;
    }
    // A small image is enlarged here too, so that nothing is left to scale where it is shown.
    const QSize shown = image.size().scaled(upright, Qt::KeepAspectRatio);
    return image.size() == shown
               ? image
               : image.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace tessel
