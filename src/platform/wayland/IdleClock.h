#pragma once

#include <chrono>
#include <optional>

namespace tessel {

// Idle time from the compositor's word. It never says how long the user has been away, only
// that input has been absent for the threshold Tessel registered, and when it returns; the
// idle time in between grows from the threshold at the moment of that notice.
class IdleClock {
public:
    using Instant = std::chrono::steady_clock::time_point;

    explicit IdleClock(std::chrono::milliseconds threshold);

    std::chrono::milliseconds threshold() const { return m_threshold; }

    void idled(Instant now);
    void resumed();

    // 0 while input came within the threshold.
    double idleSeconds(Instant now) const;

private:
    std::chrono::milliseconds m_threshold;
    std::optional<Instant> m_idleSince;
};

} // namespace tessel
