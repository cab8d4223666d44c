#pragma once

#include <QString>

#include <optional>

namespace tessel {

struct Place {
    QString locality;
    QString country;
    double latitude = 0;
    double longitude = 0;

    // "Locality, Country", either part left out when absent.
    QString displayName() const;
};

// Finds a place offline in the GeoNames list of the system's libgeonames: a city, or a
// country or region, which stands at its most populous city but keeps its own name ("France";
// "Bavaria, Germany"). A name matched in full beats one that only starts with the text; among
// equals the most populous wins. "Place, Region or Country" narrows the matches to those whose
// state, country or country code fits the part after the comma. None when nothing matches.
std::optional<Place> findPlace(const QString& text);

} // namespace tessel
