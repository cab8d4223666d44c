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

// Finds a city offline in the GeoNames list of the system's libgeonames. "City, Region or
// Country" narrows the matches to those whose state, country or country code fits the part
// after the comma; the most populous match wins. None when nothing matches.
std::optional<Place> findPlace(const QString& text);

} // namespace tessel
