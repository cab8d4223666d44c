#include "platform/wayland/ToplevelList.h"

#include <algorithm>

namespace tessel {

void ToplevelList::add(Handle handle) {
    m_windows[handle].order = ++m_nextOrder;
}

void ToplevelList::setAppId(Handle handle, const QString& appId) {
    if (const auto it = m_windows.find(handle); it != m_windows.end()) {
        it->second.pending.appId = appId;
    }
}

void ToplevelList::setActivated(Handle handle, bool activated) {
    if (const auto it = m_windows.find(handle); it != m_windows.end()) {
        it->second.pending.activated = activated;
    }
}

void ToplevelList::done(Handle handle) {
    const auto it = m_windows.find(handle);
    if (it == m_windows.end()) {
        return;
    }
    Window& window = it->second;
    if (window.pending.activated && !window.current.activated) {
        window.activation = ++m_activations;
    }
    window.current = window.pending;
}

void ToplevelList::remove(Handle handle) {
    m_windows.erase(handle);
}

std::optional<ToplevelList::Handle> ToplevelList::frontWindow() const {
    std::optional<Handle> front;
    qint64 latest = 0;
    for (const auto& [handle, window] : m_windows) {
        if (window.current.activated && window.activation > latest) {
            front = handle;
            latest = window.activation;
        }
    }
    return front;
}

std::optional<QString> ToplevelList::frontAppId() const {
    const auto front = frontWindow();
    if (!front) {
        return std::nullopt;
    }
    const QString& appId = m_windows.at(*front).current.appId;
    return appId.isEmpty() ? std::nullopt : std::optional(appId);
}

QStringList ToplevelList::runningAppIds() const {
    QList<const Window*> byAge;
    for (const auto& [handle, window] : m_windows) {
        byAge.append(&window);
    }
    std::sort(byAge.begin(), byAge.end(),
              [](const Window* a, const Window* b) { return a->order < b->order; });
    QStringList ids;
    for (const Window* window : byAge) {
        if (!window->current.appId.isEmpty() && !ids.contains(window->current.appId)) {
            ids.append(window->current.appId);
        }
    }
    return ids;
}

QList<ToplevelList::Handle> ToplevelList::handles() const {
    QList<Handle> handles;
    for (const auto& [handle, window] : m_windows) {
        handles.append(handle);
    }
    return handles;
}

std::optional<ToplevelList::Handle> ToplevelList::windowOf(const QString& appId) const {
    std::optional<Handle> found;
    qint64 latest = -1;
    for (const auto& [handle, window] : m_windows) {
        if (window.current.appId == appId && window.activation > latest) {
            found = handle;
            latest = window.activation;
        }
    }
    return found;
}

} // namespace tessel
