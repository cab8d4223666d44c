#pragma once

#include "core/Settings.h"
#include "paper/Json.h"

#include <QSet>

#include <optional>

namespace tessel {

// How one kind of settings value reads from and writes to JSON. Reading is strict for the
// value itself; the forgiving part (keep the default) is the caller's.
template <typename T> struct Codec {
    std::optional<T> (*read)(const Json&);
    // A null result means the key is left out.
    Json (*write)(const T&);
    // What a value must be, for messages: "true or false", "a number".
    const char* kind;
};

namespace codecs {

extern const Codec<bool> boolean;
extern const Codec<double> real;
extern const Codec<int> integer;
extern const Codec<QStringList> textList;
extern const Codec<QMap<QString, QString>> textMap;
extern const Codec<QSet<QString>> textSet;
extern const Codec<std::optional<Instant>> instant;
extern const Codec<Settings::DayNight> dayNight;
extern const Codec<Settings::AppMode> appMode;
extern const Codec<Slot> slot;
extern const Codec<Schedule> schedule;
extern const Codec<LampSettings> lamp;
extern const Codec<ArtSettings> art;

} // namespace codecs

} // namespace tessel
