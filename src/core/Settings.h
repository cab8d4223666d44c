#pragma once

#include "core/Instant.h"
#include "paper/Paper.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tessel {

// One paper choice: which paper and how heavy it shows.
struct Slot {
    QString paper;
    double gsm = 120;

    friend bool operator==(const Slot&, const Slot&) = default;
};

struct Schedule {
    // Persisted by raw value; new cases go at the end.
    enum class Mode { always, sunsetToSunrise, custom };

    Mode mode = Mode::always;
    QString place;
    std::optional<double> latitude;
    std::optional<double> longitude;
    int from = 18 * 60; // minutes after local midnight
    int to = 7 * 60;

    friend bool operator==(const Schedule&, const Schedule&) = default;
};

struct LampSettings {
    std::optional<QString> id;
    double strength = 0.6;

    friend bool operator==(const LampSettings&, const LampSettings&) = default;
};

struct ArtSettings {
    bool enabled = false;
    int idleMinutes = 5;
    QStringList collections = defaultCollections();
    // The folder of the user's own pictures, an absolute path; none until one is chosen.
    std::optional<QString> folder;

    static QStringList defaultCollections();

    friend bool operator==(const ArtSettings&, const ArtSettings&) = default;
};

// Stored values this version cannot read, kept as their JSON text so that every save writes
// them back as they were: a newer version's paper or schedule mode, a hand edit, keys this
// version does not know. Nothing reads them; setting a field drops what was kept for it.
struct KeptValues {
    // Settings keys, known or not, whose stored value is written back in place of the field's.
    std::vector<std::pair<std::string, std::string>> keys;
    // Custom papers that did not read, by their place in the stored list.
    std::vector<std::pair<int, std::string>> papers;

    friend bool operator==(const KeptValues&, const KeptValues&) = default;
};

// Everything the user chooses, persisted whole as one JSON document.
struct Settings {
    // Persisted by raw value; new cases go at the end.
    enum class DayNight { system, screen };
    enum class AppMode { exceptListed, onlyListed };

    bool enabled = true;
    Slot day{QStringLiteral("kozo"), 120};
    Slot night{QStringLiteral("felt"), 150};
    DayNight dayNight = DayNight::system;
    AppMode appMode = AppMode::exceptListed;
    QStringList excludedApps = defaultExcludedApps();
    QStringList onlyApps;
    QMap<QString, QString> appPapers;
    QMap<QString, QString> displayPapers;
    QSet<QString> disabledDisplays;
    bool pauseOnBattery = false;
    std::optional<Instant> snoozedUntil;
    Schedule schedule;
    LampSettings lamp;
    ArtSettings art;
    bool focusSheet = false;
    double focusStrength = 0.5;
    bool ruler = false;
    double rulerHeight = 46;
    bool rest = false;
    int restEvery = 20;
    int restLength = 20;
    bool hideFromScreenshots = true;
    bool sounds = true;
    bool haptics = true;
    QList<CustomPaper> customPapers;
    bool onboarded = false;
    KeptValues kept;

    // Colour-critical graphics, photo and video applications, by app id prefix.
    static QStringList defaultExcludedApps();

    friend bool operator==(const Settings&, const Settings&) = default;
};

} // namespace tessel
