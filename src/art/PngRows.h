#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace tessel {

// A PNG read one row at a time and averaged down to size as it goes, so the full image is never
// held: Qt's own reader decodes the whole image before scaling it. None for an interlaced PNG,
// whose rows only come together at the end; a null image when the file does not read.
std::optional<QImage> readPngScaled(const QString& path, QSize size);

} // namespace tessel
