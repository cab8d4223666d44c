#pragma once

#include "art/Painting.h"

#include <QList>
#include <QString>

namespace tessel {

// The collection of the user's own pictures.
inline QString ownPicturesId() {
    return QStringLiteral("mine");
}

// The JPEG, PNG and WebP files directly in the folder and one level down, in path order, each
// as a painting of the collection "mine" whose file is its absolute path: titled by its
// embedded title or else its file name, with the EXIF artist and the year it was taken. A file
// that is not a whole picture (cut short, not an image, too many pixels to read) is left out.
// Reads the disk: call it off the main thread.
QList<Painting> picturesIn(const QString& folder);

} // namespace tessel
