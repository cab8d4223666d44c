#include "core/PlaceSearch.h"

#include <QHash>
#include <QMultiHash>
#include <QStringList>

#include <geonames/geonames.h>
#include <memory>

namespace tessel {

namespace {

using City = std::unique_ptr<GeonamesCity, decltype(&geonames_city_free)>;

// How a place answers the text, best first. A country or region named in full beats a city
// whose name merely starts with the text ("France" is not Franceville); a city named in full
// beats a region ("Quebec" is the city), but not a country ("Armenia" is the country).
enum class Fit { wholeCountry, wholeCity, wholeRegion, partCity, partCountry, none };

struct Candidate {
    Place place;
    Fit fit = Fit::none;
    guint population = 0;

    bool beats(const Candidate& other) const {
        return fit != other.fit ? fit < other.fit : population > other.population;
    }
};

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

// GeoNames often names a region with its kind: "Île-de-France Region", "Shirak Province".
QString withoutKind(const QString& region) {
    static const QStringList kinds = {
        QStringLiteral(" region"),      QStringLiteral(" province"),   QStringLiteral(" state"),
        QStringLiteral(" prefecture"),  QStringLiteral(" oblast"),     QStringLiteral(" county"),
        QStringLiteral(" governorate"), QStringLiteral(" department"), QStringLiteral(" district"),
        QStringLiteral(" voivodeship"), QStringLiteral(" territory"),
    };
    for (const QString& kind : kinds) {
        if (region.endsWith(kind) && region.size() > kind.size()) {
            return region.chopped(kind.size());
        }
    }
    return region;
}

bool fitsRegion(GeonamesCity* city, const QString& region) {
    if (region.isEmpty()) {
        return true;
    }
    return folded(text(geonames_city_get_state(city))).contains(region) ||
           folded(text(geonames_city_get_country(city))).contains(region) ||
           folded(text(geonames_city_get_country_code(city))) == region;
}

Place placeAt(GeonamesCity* city, QString locality) {
    return {std::move(locality), text(geonames_city_get_country(city)),
            geonames_city_get_latitude(city), geonames_city_get_longitude(city)};
}

void consider(Candidate& best, Candidate candidate) {
    if (candidate.fit != Fit::none && candidate.beats(best)) {
        best = std::move(candidate);
    }
}

// Cities whose names the library finds for the text.
Candidate bestCity(const QString& name, const QString& region) {
    Candidate best;
    guint count = 0;
    const std::unique_ptr<gint, decltype(&g_free)> matches(
        geonames_query_cities_sync(name.toUtf8().constData(), GEONAMES_QUERY_DEFAULT, &count,
                                   nullptr, nullptr),
        &g_free);
    for (guint i = 0; matches && i < count; ++i) {
        const City city(geonames_get_city(matches.get()[i]), &geonames_city_free);
        if (!city || !fitsRegion(city.get(), region)) {
            continue;
        }
        const QString cityName = text(geonames_city_get_name(city.get()));
        const Fit fit = folded(cityName) == folded(name) ? Fit::wholeCity : Fit::partCity;
        consider(best,
                 {placeAt(city.get(), cityName), fit, geonames_city_get_population(city.get())});
    }
    return best;
}

// Countries and regions have no entries of their own: each stands at its most populous city,
// which is the capital more often than not. Built once, from the whole list.
struct AreaIndex {
    // Folded country name → its most populous city.
    QHash<QString, gint> countries;
    // Folded region name, with and without its kind → the most populous city of each region
    // of that name.
    QMultiHash<QString, gint> regions;
};

const AreaIndex& areas() {
    static const AreaIndex index = [] {
        struct Top {
            gint city = -1;
            guint population = 0;
        };
        QHash<QString, Top> countries;
        QHash<std::pair<QString, QString>, Top> regions;
        const auto keep = [](Top& top, gint city, guint population) {
            if (top.city < 0 || population > top.population) {
                top = {city, population};
            }
        };
        // Names repeat from city to city; folding each once keeps the first search quick.
        QHash<QString, QString> foldedNames;
        const auto foldedName = [&](const gchar* name) {
            const QString raw = text(name);
            auto it = foldedNames.find(raw);
            if (it == foldedNames.end()) {
                it = foldedNames.insert(raw, folded(raw));
            }
            return *it;
        };
        for (gint i = 0, cities = geonames_get_n_cities(); i < cities; ++i) {
            const City city(geonames_get_city(i), &geonames_city_free);
            if (!city) {
                continue;
            }
            const guint population = geonames_city_get_population(city.get());
            const QString country = foldedName(geonames_city_get_country(city.get()));
            keep(countries[country], i, population);
            const QString state = foldedName(geonames_city_get_state(city.get()));
            if (!state.isEmpty()) {
                keep(regions[{state, country}], i, population);
            }
        }
        AreaIndex built;
        for (auto it = countries.cbegin(); it != countries.cend(); ++it) {
            built.countries.insert(it.key(), it->city);
        }
        for (auto it = regions.cbegin(); it != regions.cend(); ++it) {
            const QString& state = it.key().first;
            built.regions.insert(state, it->city);
            if (const QString bare = withoutKind(state); bare != state) {
                built.regions.insert(bare, it->city);
            }
        }
        return built;
    }();
    return index;
}

Candidate areaCandidate(gint index, Fit fit, const QString& region, bool namedByRegion) {
    const City city(geonames_get_city(index), &geonames_city_free);
    if (!city || !fitsRegion(city.get(), region)) {
        return {};
    }
    const QString locality = namedByRegion ? text(geonames_city_get_state(city.get())) : QString();
    return {placeAt(city.get(), locality), fit, geonames_city_get_population(city.get())};
}

Candidate bestArea(const QString& name, const QString& region) {
    const AreaIndex& index = areas();
    const QString wanted = folded(name);
    Candidate best;
    for (auto it = index.countries.cbegin(); it != index.countries.cend(); ++it) {
        if (it.key() == wanted) {
            consider(best, areaCandidate(*it, Fit::wholeCountry, region, false));
        } else if (it.key().startsWith(wanted + u' ')) {
            consider(best, areaCandidate(*it, Fit::partCountry, region, false));
        }
    }
    for (const gint city : index.regions.values(wanted)) {
        consider(best, areaCandidate(city, Fit::wholeRegion, region, true));
    }
    return best;
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
    const QString name = query.left(comma).trimmed();
    const QString region = comma < 0 ? QString() : folded(query.mid(comma + 1));
    if (name.isEmpty()) {
        return std::nullopt;
    }
    Candidate best = bestCity(name, region);
    consider(best, bestArea(name, region));
    if (best.fit == Fit::none) {
        return std::nullopt;
    }
    return best.place;
}

} // namespace tessel
