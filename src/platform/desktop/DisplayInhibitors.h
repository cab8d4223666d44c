#pragma once

#include <QDBusConnection>

namespace tessel {

// Whether something holds the display awake: a logind inhibitor of "idle" in "block" mode
// (system bus), GNOME's session manager inhibiting idle, or KDE's power management holding an
// inhibition (session bus). A service that does not answer holds nothing.
bool displayKeptAwake(const QDBusConnection& system, const QDBusConnection& session);

} // namespace tessel
