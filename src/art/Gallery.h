#pragma once

#include <QColor>
#include <QList>
#include <QString>

#include <optional>

namespace tessel::gallery {

// How one collection hangs: wall, frame and mat. Widths are points on a 1440-point-wide
// screen.
struct Collection {
    QString id;
    QString name;
    QColor wall;
    QColor frame;
    double frameWidth = 0;
    std::optional<QColor> mat;
    double matWidth = 0;

    // Light walls take dark captions and a stronger glow.
    bool hasDarkWall() const { return wall.redF() < 0.5; }
};

// "ukiyoe", "impressionist", "dutch", "botanical", "ink", then the user's own "mine".
const QList<Collection>& collections();

// The collection with that id, else the first.
const Collection& collection(const QString& id);

} // namespace tessel::gallery
