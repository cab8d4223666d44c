#pragma once

#include <algorithm>
#include <array>
#include <cstddef>

namespace tessel {

// A closed range the interface offers for a setting. Stored values are not clamped on
// reading; code that decides with them clamps, so a hand-edited value never misbehaves.
template <typename T> struct SettingRange {
    T lowest;
    T highest;

    constexpr bool contains(T value) const { return value >= lowest && value <= highest; }
    constexpr T clamp(T value) const { return std::clamp(value, lowest, highest); }
};

// The choices a picker offers, smallest first; they span the range a value may take.
template <std::size_t N> struct SettingChoices {
    std::array<int, N> values;

    constexpr SettingRange<int> range() const { return {values.front(), values.back()}; }
};

// Every limit a setting has, declared once: Settings panes, the command line, the bus,
// shortcuts and the code that acts on stored values all take them from here.
namespace limits {

inline constexpr SettingRange<double> gsm{60, 300};
inline constexpr SettingRange<double> lampStrength{0.15, 1};
inline constexpr SettingRange<double> focusStrength{0.1, 1};
inline constexpr SettingRange<double> rulerHeight{24, 120};
inline constexpr SettingChoices<4> restEveryMinutes{{20, 30, 45, 60}};
inline constexpr SettingChoices<3> restLengthSeconds{{20, 30, 60}};
inline constexpr SettingChoices<6> artIdleMinutes{{1, 2, 5, 10, 15, 30}};
inline constexpr SettingRange<int> minuteOfDay{0, 24 * 60 - 1};
inline constexpr SettingRange<double> latitude{-90, 90};
inline constexpr SettingRange<double> longitude{-180, 180};
inline constexpr SettingRange<int> snoozeMinutes{1, 720};

inline constexpr int customPapers = 500;

} // namespace limits

} // namespace tessel
