#pragma once

#include "platform/x11/WindowList.h"
#include "platform/x11/XConnection.h"

namespace tessel {

// Asks the window manager, as a pager would, to activate the process's topmost window.
void activateFrontWindow(XConnection& x, WindowList& windows, qint32 pid);

} // namespace tessel
