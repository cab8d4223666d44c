#pragma once

#include "art/Painting.h"

#include <QImage>

#include <optional>

namespace tessel {

// The painting list and its images in one folder: art.json beside the image files. The list
// is read on first use and kept; a missing or undecodable list is empty.
class ArtLibrary {
public:
    // The paintings that ship with Tessel, built into the program.
    static QString builtInFolder() { return QStringLiteral(":/tessel/art"); }

    explicit ArtLibrary(QString folder = builtInFolder());

    const QList<Painting>& paintings() const;
    // The painting's image, or a null image when its file is missing or unreadable.
    QImage image(const Painting& painting) const;
    // Where the painting's image is; a picture's file is a path of its own.
    QString path(const Painting& painting) const;

private:
    QString m_folder;
    mutable std::optional<QList<Painting>> m_paintings;
};

} // namespace tessel
