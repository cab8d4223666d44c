#pragma once

#include <QWidget>

#include <functional>

namespace tessel {

// The plain first contents of the Settings window: enough to reach what Tessel already
// offers, saying what else the window will hold.
namespace InterimPages {

// Without checkForUpdates the "Check for Updates" button is left out.
void fillSettings(QWidget& window, std::function<void()> showWelcome,
                  std::function<void()> checkForUpdates);

} // namespace InterimPages

} // namespace tessel
