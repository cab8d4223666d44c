#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace tessel {

// Whether a picture of this many pixels may be read at all: its header must give a size, and
// a decompression bomb is no picture.
bool fitsInMemory(QSize size);

// The image at path at the size that fits box (pixels), keeping its proportions and turned
// upright as its EXIF says. A larger file is decoded at that size where the format can (JPEG
// scales while decoding, PNG row by row), so a camera's full image is never held; a smaller one
// is enlarged. A null image when the file does not read. Safe on any thread.
QImage readImageToFit(const QString& path, QSize box);

} // namespace tessel
