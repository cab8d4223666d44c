#pragma once

#include "core/Layer.h"
#include "core/Settings.h"

#include <QDateTime>
#include <QMap>
#include <QStringList>
#include <QTimeZone>

#include <optional>

namespace tessel {

// An automation override: paper off, or one paper for both slots. Never saved.
struct FocusFilter {
    bool on = true;
    std::optional<QString> paper;

    friend bool operator==(const FocusFilter&, const FocusFilter&) = default;
};

// What the machine is doing, as far as the choice of paper cares.
struct MachineState {
    QStringList screens; // identifiers
    bool dark = false;
    // Sampled darkness per screen; a screen without an entry follows `dark`.
    QMap<QString, bool> displayDark;
    bool onBattery = false;
    std::optional<QString> frontApp;
    bool compositorRunning = true;
    QDateTime now;
    QTimeZone timeZone;
    std::optional<FocusFilter> focusFilter;
};

// Why no screen shows paper, in the order the status line reports them.
enum class Gate {
    off,
    noCompositor,
    snoozed,
    pausedOnBattery,
    outsideSchedule,
    excludedApp,
    notOnboarded,
    focusFilterOff,
};

struct Resolution {
    LayerMap layers;
    std::optional<Gate> closedBy;

    friend bool operator==(const Resolution&, const Resolution&) = default;
};

// Which paper each screen shows, or the first gate that keeps paper off everywhere.
Resolution resolve(const Settings& settings, const MachineState& machine);

// Whether the application rules let paper show over this app.
bool allowsApp(const Settings& settings, const std::optional<QString>& appId);

// Whether a snooze is still running at `now`; one ending exactly then has ended.
bool isSnoozed(const Settings& settings, const QDateTime& now);

} // namespace tessel
