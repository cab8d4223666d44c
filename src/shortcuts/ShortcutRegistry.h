#pragma once

#include "platform/HotKeys.h"

#include <QKeyCombination>
#include <QString>

#include <optional>

namespace tessel {

class Store;
class UserDefaults;

// Binds the stored combinations of the seven shortcut actions to system-wide hot keys
// and runs the action when one is pressed. The defaults keep one entry per action,
// "KeyboardShortcuts_<name>": the combination, or false once the user has cleared it.
class ShortcutRegistry {
public:
    ShortcutRegistry(Store& store, HotKeys& hotKeys);

    // Binds every stored combination; returns a line for each one that could not be bound.
    QStringList registerAll();

    // Binds and stores the combination; on failure nothing changes and the reason is returned.
    std::optional<QString> set(const QString& name, QKeyCombination keys);
    void clear(const QString& name);

    static std::optional<QKeyCombination> stored(const UserDefaults& defaults, const QString& name);
    static bool store(UserDefaults& defaults, const QString& name,
                      std::optional<QKeyCombination> keys);
    static QString problem(HotKeys::Grab grab, QKeyCombination keys);

private:
    Store& m_store;
    HotKeys& m_hotKeys;
};

} // namespace tessel
