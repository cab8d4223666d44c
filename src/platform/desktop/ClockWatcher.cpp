#include "platform/desktop/ClockWatcher.h"

#include "platform/PlatformLog.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/timerfd.h>
#include <unistd.h>

namespace tessel {

namespace {

void warnUnwatched() {
    qCWarning(lcPlatform, "the clock being set goes unnoticed: %s", std::strerror(errno));
}

} // namespace

ClockWatcher::ClockWatcher() {
    m_fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd < 0 || !arm()) {
        warnUnwatched();
        if (m_fd >= 0) {
            close(m_fd);
            m_fd = -1;
        }
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &ClockWatcher::fired);
}

ClockWatcher::~ClockWatcher() {
    m_notifier.reset();
    if (m_fd >= 0) {
        close(m_fd);
    }
}

// An absolute deadline that never comes; only the cancellation on a clock change wakes us.
bool ClockWatcher::arm() {
    itimerspec deadline{};
    deadline.it_value.tv_sec = time_t{1} << 33;
    return timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &deadline, nullptr) ==
           0;
}

void ClockWatcher::fired() {
    uint64_t expirations = 0;
    const ssize_t n = read(m_fd, &expirations, sizeof expirations);
    if (n < 0 && errno == ECANCELED) {
        if (!arm()) {
            warnUnwatched();
        }
        Q_EMIT clockChanged();
    }
}

} // namespace tessel
