#include "platform/wayland/IdleWatcher.h"

#include "platform/PlatformLog.h"
#include "platform/wayland/WaylandConnection.h"

#include <ext-idle-notify-v1-client.h>
#include <kde-idle-client.h>

namespace tessel {

namespace {

// The shortest absence any moment tells apart from activity: art goes when input is this
// recent. Longer idle times grow from it.
constexpr std::chrono::milliseconds threshold{1000};

IdleWatcher& watcherOf(void* data) {
    return *static_cast<IdleWatcher*>(data);
}

template <typename Proxy> void onIdled(void* data, Proxy*) {
    watcherOf(data).idled();
}

template <typename Proxy> void onResumed(void* data, Proxy*) {
    watcherOf(data).resumed();
}

const ext_idle_notification_v1_listener notificationListener = {
    .idled = onIdled<ext_idle_notification_v1>,
    .resumed = onResumed<ext_idle_notification_v1>,
};

const org_kde_kwin_idle_timeout_listener kdeTimeoutListener = {
    .idle = onIdled<org_kde_kwin_idle_timeout>,
    .resumed = onResumed<org_kde_kwin_idle_timeout>,
};

} // namespace

IdleWatcher::IdleWatcher(WaylandConnection& connection)
    : m_clock(threshold) {
    const WaylandGlobals& globals = connection.globals();
    const auto milliseconds = static_cast<uint32_t>(threshold.count());
    if (globals.seat && globals.idleNotifier) {
        m_notification = ext_idle_notifier_v1_get_idle_notification(globals.idleNotifier,
                                                                    milliseconds, globals.seat);
        ext_idle_notification_v1_add_listener(m_notification, &notificationListener, this);
    } else if (globals.seat && globals.kdeIdle) {
        m_kdeTimeout =
            org_kde_kwin_idle_get_idle_timeout(globals.kdeIdle, globals.seat, milliseconds);
        org_kde_kwin_idle_timeout_add_listener(m_kdeTimeout, &kdeTimeoutListener, this);
    } else {
        qCWarning(lcPlatform, "the compositor does not say when the user is idle: rests and art "
                              "never start");
    }
}

IdleWatcher::~IdleWatcher() {
    if (m_notification) {
        ext_idle_notification_v1_destroy(m_notification);
    }
    if (m_kdeTimeout) {
        org_kde_kwin_idle_timeout_release(m_kdeTimeout);
    }
}

double IdleWatcher::idleSeconds() const {
    return m_clock.idleSeconds(std::chrono::steady_clock::now());
}

void IdleWatcher::idled() {
    m_clock.idled(std::chrono::steady_clock::now());
}

void IdleWatcher::resumed() {
    m_clock.resumed();
}

} // namespace tessel
