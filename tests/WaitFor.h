#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <chrono>

namespace tessel {

// Polls the condition until it holds or the timeout passes, running the event loop in between
// when there is one; returns the condition.
template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
    constexpr std::chrono::milliseconds poll(5);
    const QDeadlineTimer deadline(timeout);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        if (QCoreApplication::instance()) {
            QEventLoop loop;
            QTimer::singleShot(poll, &loop, &QEventLoop::quit);
            loop.exec();
        } else {
            QThread::msleep(poll.count());
        }
    }
    return true;
}

} // namespace tessel
