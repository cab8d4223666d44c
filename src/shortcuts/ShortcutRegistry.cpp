#include "shortcuts/ShortcutRegistry.h"

#include "core/Store.h"
#include "platform/UserDefaults.h"
#include "shortcuts/ShortcutActions.h"
#include "shortcuts/ShortcutKeys.h"
#include "shortcuts/ShortcutsLog.h"

#include <nlohmann/json.hpp>

namespace tessel {

namespace {

std::string keyFor(const QString& name) {
    return "KeyboardShortcuts_" + name.toStdString();
}

} // namespace

ShortcutRegistry::ShortcutRegistry(Store& store, HotKeys& hotKeys)
    : m_store(store)
    , m_hotKeys(hotKeys) {
    m_hotKeys.setHandler([this](const QString& name) { ShortcutActions::run(m_store, name); });
}

QStringList ShortcutRegistry::registerAll() {
    QStringList problems;
    for (const QString& name : ShortcutActions::names()) {
        const auto keys = stored(m_store.platform().defaults(), name);
        if (!keys) {
            continue;
        }
        const HotKeys::Grab grab = m_hotKeys.bind(name, *keys);
        if (grab != HotKeys::Grab::ok) {
            problems << QStringLiteral("%1: %2").arg(name, problem(grab, *keys));
        }
    }
    return problems;
}

std::optional<QString> ShortcutRegistry::set(const QString& name, QKeyCombination keys) {
    const auto previous = stored(m_store.platform().defaults(), name);
    const HotKeys::Grab grab = m_hotKeys.bind(name, keys);
    if (grab != HotKeys::Grab::ok) {
        if (previous) {
            m_hotKeys.bind(name, *previous);
        }
        return problem(grab, keys);
    }
    if (!store(m_store.platform().defaults(), name, keys)) {
        qCWarning(lcShortcuts, "%s is bound but not saved: Tessel forgets it on quitting",
                  qUtf8Printable(name));
    }
    return std::nullopt;
}

void ShortcutRegistry::clear(const QString& name) {
    m_hotKeys.unbind(name);
    if (!store(m_store.platform().defaults(), name, std::nullopt)) {
        qCWarning(lcShortcuts, "%s is unbound but still saved: it returns when Tessel starts",
                  qUtf8Printable(name));
    }
}

std::optional<QKeyCombination> ShortcutRegistry::stored(const UserDefaults& defaults,
                                                        const QString& name) {
    const auto value = defaults.value(keyFor(name));
    return value ? ShortcutKeys::fromJson(*value) : std::nullopt;
}

bool ShortcutRegistry::store(UserDefaults& defaults, const QString& name,
                             std::optional<QKeyCombination> keys) {
    const auto json = keys ? ShortcutKeys::toJson(*keys) : std::optional(UserDefaults::Json(false));
    return json && defaults.setValue(keyFor(name), *json);
}

QString ShortcutRegistry::problem(HotKeys::Grab grab, QKeyCombination keys) {
    const QString text = ShortcutKeys::format(keys);
    switch (grab) {
    case HotKeys::Grab::ok:
        break;
    case HotKeys::Grab::taken:
        return QStringLiteral("%1 is already used by another program. Choose another combination.")
            .arg(text);
    case HotKeys::Grab::unsupported:
        return QStringLiteral("%1 cannot be used as a shortcut on this desktop.").arg(text);
    }
    return {};
}

} // namespace tessel
