#pragma once

#include "platform/x11/XConnection.h"

namespace tessel {

// Seconds since the last keyboard or pointer input as the MIT-SCREEN-SAVER extension counts
// it; 0 when the server does not answer.
double idleSeconds(XConnection& x);

} // namespace tessel
