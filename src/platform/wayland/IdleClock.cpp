#include "platform/wayland/IdleClock.h"

namespace tessel {

IdleClock::IdleClock(std::chrono::milliseconds threshold)
    : m_threshold(threshold) {}

// A repeated notice keeps the first: input has been absent since then at least.
void IdleClock::idled(Instant now) {
    if (!m_idleSince) {
        m_idleSince = now;
    }
}

void IdleClock::resumed() {
    m_idleSince.reset();
}

double IdleClock::idleSeconds(Instant now) const {
    if (!m_idleSince) {
        return 0;
    }
    const auto since = std::max(now - *m_idleSince, Instant::duration::zero());
    return std::chrono::duration<double>(m_threshold + since).count();
}

} // namespace tessel
