#include "platform/wayland/Toplevels.h"

#include "platform/desktop/DesktopEntries.h"
#include "platform/wayland/WaylandConnection.h"

#include <span>
#include <wlr-foreign-toplevel-management-unstable-v1-client.h>

namespace tessel {

namespace {

using Handle = zwlr_foreign_toplevel_handle_v1;

// The list's handles are the protocol's own objects.
Handle* protocolHandle(ToplevelList::Handle handle) {
    return const_cast<Handle*>(static_cast<const Handle*>(handle));
}

Toplevels& toplevelsOf(void* data) {
    return *static_cast<Toplevels*>(data);
}

void onTitle(void*, Handle*, const char*) {}

void onAppId(void* data, Handle* handle, const char* appId) {
    toplevelsOf(data).list().setAppId(handle, QString::fromUtf8(appId));
}

void onOutputEnter(void*, Handle*, wl_output*) {}

void onOutputLeave(void*, Handle*, wl_output*) {}

void onState(void* data, Handle* handle, wl_array* state) {
    const std::span states(static_cast<const uint32_t*>(state->data),
                           state->size / sizeof(uint32_t));
    const bool activated =
        std::ranges::find(states, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) != states.end();
    toplevelsOf(data).list().setActivated(handle, activated);
}

void onDone(void* data, Handle* handle) {
    toplevelsOf(data).done(handle);
}

void onClosed(void* data, Handle* handle) {
    toplevelsOf(data).closed(handle);
}

void onParent(void*, Handle*, Handle*) {}

const zwlr_foreign_toplevel_handle_v1_listener handleListener = {
    .title = onTitle,
    .app_id = onAppId,
    .output_enter = onOutputEnter,
    .output_leave = onOutputLeave,
    .state = onState,
    .done = onDone,
    .closed = onClosed,
    .parent = onParent,
};

void onToplevel(void* data, zwlr_foreign_toplevel_manager_v1*, Handle* handle) {
    toplevelsOf(data).added(handle);
}

void onFinished(void*, zwlr_foreign_toplevel_manager_v1*) {}

const zwlr_foreign_toplevel_manager_v1_listener managerListener = {
    .toplevel = onToplevel,
    .finished = onFinished,
};

} // namespace

Toplevels::Toplevels(WaylandConnection& connection, DesktopEntries& entries)
    : m_connection(connection)
    , m_entries(entries) {
    if (zwlr_foreign_toplevel_manager_v1* manager = connection.globals().toplevels) {
        zwlr_foreign_toplevel_manager_v1_add_listener(manager, &managerListener, this);
    }
}

Toplevels::~Toplevels() {
    for (const ToplevelList::Handle handle : m_list.handles()) {
        zwlr_foreign_toplevel_handle_v1_destroy(protocolHandle(handle));
    }
}

void Toplevels::added(Handle* handle) {
    m_list.add(handle);
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &handleListener, this);
}

void Toplevels::done(Handle* handle) {
    m_list.done(handle);
    noticeFront();
}

void Toplevels::closed(Handle* handle) {
    m_list.remove(handle);
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
    noticeFront();
}

void Toplevels::noticeFront() {
    const std::optional<QString> front = m_list.frontAppId();
    if (front == m_front) {
        return;
    }
    m_front = front;
    Q_EMIT frontAppChanged(frontmostApp());
}

AppInfo Toplevels::appInfo(const QString& appId) const {
    if (const auto installed = m_entries.app(appId)) {
        return {installed->id, std::nullopt, installed->name};
    }
    return {appId, std::nullopt, appId};
}

std::optional<AppInfo> Toplevels::frontmostApp() const {
    return m_front ? std::optional(appInfo(*m_front)) : std::nullopt;
}

QList<AppInfo> Toplevels::runningApps() const {
    QList<AppInfo> apps;
    for (const QString& appId : m_list.runningAppIds()) {
        apps.append(appInfo(appId));
    }
    return apps;
}

void Toplevels::activate(const QString& appId) {
    const auto window = m_list.windowOf(appId);
    wl_seat* seat = m_connection.globals().seat;
    if (!window || !seat) {
        return;
    }
    zwlr_foreign_toplevel_handle_v1_activate(protocolHandle(*window), seat);
}

} // namespace tessel
