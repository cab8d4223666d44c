#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <chrono>

namespace tessel {

// Runs the event loop until the condition holds or the timeout passes; returns the condition.
template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    const QDeadlineTimer deadline(timeout);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(5);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        loop.exec();
    }
    return true;
}

} // namespace tessel
