#pragma once

#include <QString>

namespace tessel {

// Tessel's XDG autostart entry, $XDG_CONFIG_HOME/autostart/com.corvane.Tessel.desktop.
QString autostartEntryPath();

// Writes or removes the entry; false when the file system refuses.
bool setAutostart(bool on);
bool isAutostart();

} // namespace tessel
