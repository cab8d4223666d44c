#pragma once

#include <QString>

#include <optional>

namespace tessel {

class Store;

// What automation can ask of Tessel. Each acts on the Store at once; one that returns a
// message refused its input and changed nothing.
namespace Intents {

inline constexpr int defaultSnooze = 15;

// Only the built-in papers can be named; custom papers belong to their maker.
bool isPaperChoice(const QString& id);

void setPaperOn(Store& store, bool on);
// The paper becomes both the Day and the Night paper, and paper is switched on.
std::optional<QString> setPaper(Store& store, const QString& paper, std::optional<int> gsm);
std::optional<QString> snooze(Store& store, int minutes);
std::optional<QString> setFocusFilter(Store& store, bool on, const std::optional<QString>& paper);

} // namespace Intents

} // namespace tessel
