#pragma once

#include <QWidget>

#include <functional>

namespace tessel {

class Store;

// The plain first contents of the Welcome and Settings windows: enough to finish onboarding
// and to reach what Tessel already offers, saying what else each window will hold.
namespace InterimPages {

void fillWelcome(QWidget& window, Store& store);
// Without checkForUpdates the "Check for Updates" button is left out.
void fillSettings(QWidget& window, std::function<void()> showWelcome,
                  std::function<void()> checkForUpdates);

} // namespace InterimPages

} // namespace tessel
