#include "app/StallWatch.h"

namespace tessel {

namespace {

constexpr int tickMilliseconds = 1;
// Shorter gaps are the timer's own slack and the scheduler's.
constexpr qint64 feltMilliseconds = 4;

} // namespace

std::unique_ptr<StallWatch> StallWatch::fromEnvironment() {
    const QString path = qEnvironmentVariable("TESSEL_STALL_LOG");
    return path.isEmpty() ? nullptr : std::make_unique<StallWatch>(path);
}

StallWatch::StallWatch(const QString& path)
    : m_log(path) {
    if (!m_log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        return;
    }
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    m_clock.start();
    m_timer.start(tickMilliseconds);
}

void StallWatch::tick() {
    const qint64 now = m_clock.elapsed();
    const qint64 gap = now - m_lastTick - tickMilliseconds;
    m_lastTick = now;
    if (gap >= feltMilliseconds) {
        m_log.write(QByteArray::number(now) + ' ' + QByteArray::number(gap) + '\n');
    }
}

} // namespace tessel
