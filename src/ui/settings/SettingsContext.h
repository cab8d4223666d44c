#pragma once

#include <functional>

namespace tessel {

class ShortcutRegistry;
class Store;

// What the panes reach beyond the Store: the other windows, the update check and the
// global shortcuts.
struct SettingsContext {
    Store& store;
    std::function<void()> showWelcome;
    // Empty when no update feed is configured, which hides "Check for Updates".
    std::function<void()> checkForUpdates;
    // None where global shortcuts are not available.
    ShortcutRegistry* shortcuts = nullptr;
};

} // namespace tessel
