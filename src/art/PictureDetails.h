#pragma once

#include <QString>

class QIODevice;

namespace tessel {

// What a photograph says about itself: a title (an XMP dc:title, else an EXIF image
// description), the EXIF Artist and the year it was taken (EXIF DateTimeOriginal). Empty
// fields where the file says nothing.
struct PictureDetails {
    QString title;
    QString artist;
    QString year;

    friend bool operator==(const PictureDetails&, const PictureDetails&) = default;
};

// Reads the details of a JPEG, PNG or WebP file, walking its segments or chunks with bounded
// reads; anything malformed ends the walk with what was read so far.
PictureDetails readPictureDetails(QIODevice& file);

} // namespace tessel
