#pragma once

#include "platform/wayland/IdleClock.h"

struct ext_idle_notification_v1;
struct org_kde_kwin_idle_timeout;

namespace tessel {

class WaylandConnection;

// Idle time as the compositor counts it, over every app's input: ext-idle-notify where
// offered, else KDE's idle protocol (sway before 1.8). Without either it stays 0.
class IdleWatcher {
public:
    explicit IdleWatcher(WaylandConnection& connection);
    ~IdleWatcher();

    IdleWatcher(const IdleWatcher&) = delete;
    IdleWatcher& operator=(const IdleWatcher&) = delete;

    double idleSeconds() const;

    // Entry points for the protocol listeners.
    void idled();
    void resumed();

private:
    IdleClock m_clock;
    ext_idle_notification_v1* m_notification = nullptr;
    org_kde_kwin_idle_timeout* m_kdeTimeout = nullptr;
};

} // namespace tessel
