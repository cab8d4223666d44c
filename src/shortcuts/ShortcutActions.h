#pragma once

#include <QStringList>

namespace tessel {

class Store;

// The seven actions a global shortcut can run, by their stored names.
namespace ShortcutActions {

// In the order the Settings window lists them.
const QStringList& names();

// What the action does, in a few words, as the Settings window and the desktop list it.
QString title(const QString& name);

// Runs the named action against the Store; returns false for an unknown name.
bool run(Store& store, const QString& name);

} // namespace ShortcutActions

} // namespace tessel
