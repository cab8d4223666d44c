#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <memory>

namespace tessel {

// For measurement only: with TESSEL_STALL_LOG naming a file, a 1 ms timer on the main thread
// appends "<ms since launch> <gap ms>" there for every gap between its ticks long enough to be
// felt. Off (and costing nothing) when the variable is unset.
class StallWatch final {
public:
    static std::unique_ptr<StallWatch> fromEnvironment();

    explicit StallWatch(const QString& path);

private:
    void tick();

    QFile m_log;
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastTick = 0;
};

} // namespace tessel
