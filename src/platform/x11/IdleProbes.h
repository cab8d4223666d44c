#pragma once

#include "platform/x11/XConnection.h"

#include <QDBusConnection>

namespace tessel {

// Seconds since the last keyboard or pointer input as the MIT-SCREEN-SAVER extension counts
// it; 0 when the server does not answer.
double idleSeconds(XConnection& x);

// Whether something holds the display awake: a logind inhibitor of "idle" in "block" mode
// (system bus), GNOME's session manager inhibiting idle, or KDE's power management holding an
// inhibition (session bus). A service that does not answer holds nothing.
bool displayKeptAwake(const QDBusConnection& system, const QDBusConnection& session);

} // namespace tessel
