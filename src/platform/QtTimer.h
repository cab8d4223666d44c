#pragma once

#include "platform/Platform.h"

#include <QTimer>

namespace tessel {

// A Timer on the Qt event loop of the main thread.
class QtTimer final : public Timer {
public:
    explicit QtTimer(std::function<void()> action) {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [action = std::move(action)] { action(); });
    }

    void start(std::chrono::milliseconds interval, bool repeating) override {
        m_timer.setSingleShot(!repeating);
        m_timer.start(interval);
    }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

} // namespace tessel
