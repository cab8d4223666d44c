#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace tessel {

// One work in the painting list, as art.json records it.
struct Painting {
    QString id;
    QString collection;
    QString title;
    QString artist;
    QString date;
    QString file;

    friend bool operator==(const Painting&, const Painting&) = default;
};

// A JSON array of objects with exactly the six keys, each a string; none when the text is not
// such an array.
std::optional<QList<Painting>> paintingsFromJson(const QByteArray& json);

// The title cut before the first of ", from ", " from the series", " (", ", " (in that order
// of preference) that has more than eight characters before it; otherwise the whole title.
QString shortTitle(const QString& title);

// The artist and the date, leaving out empty ones, joined by ", ".
QString artistAndDate(const Painting& painting);

} // namespace tessel
