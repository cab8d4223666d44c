#include "core/PlaceSearch.h"

#include <QStringList>

#include <geonames/geonames.h>
#include <memory>

namespace tessel {

namespace {

// Lower case without accents, so "sao paulo" finds "São Paulo".
QString folded(const QString& text) {
    QString result;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing) {
            result += c.toLower();
        }
    }
    return result.trimmed();
}

QString text(const gchar* value) {
    return value ? QString::fromUtf8(value) : QString();
}

bool fitsRegion(GeonamesCity* city, const QString& region) {
    if (region.isEmpty()) {
        return true;
    }
    return folded(text(geonames_city_get_state(city))).contains(region) ||
           folded(text(geonames_city_get_country(city))).contains(region) ||
           folded(text(geonames_city_get_country_code(city))) == region;
}

} // namespace

QString Place::displayName() const {
    QStringList parts;
    for (const QString& part : {locality, country}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    return parts.join(QStringLiteral(", "));
}

std::optional<Place> findPlace(const QString& query) {
    const qsizetype comma = query.indexOf(u',');
    const QString city = query.left(comma).trimmed();
    const QString region = comma < 0 ? QString() : folded(query.mid(comma + 1));
    if (city.isEmpty()) {
        return std::nullopt;
    }
    guint count = 0;
    const std::unique_ptr<gint, decltype(&g_free)> matches(
        geonames_query_cities_sync(city.toUtf8().constData(), GEONAMES_QUERY_DEFAULT, &count,
                                   nullptr, nullptr),
        &g_free);
    for (guint i = 0; matches && i < count; ++i) {
        const std::unique_ptr<GeonamesCity, decltype(&geonames_city_free)> match(
            geonames_get_city(matches.get()[i]), &geonames_city_free);
        if (match && fitsRegion(match.get(), region)) {
            return Place{text(geonames_city_get_name(match.get())),
                         text(geonames_city_get_country(match.get())),
                         geonames_city_get_latitude(match.get()),
                         geonames_city_get_longitude(match.get())};
        }
    }
    return std::nullopt;
}

} // namespace tessel
