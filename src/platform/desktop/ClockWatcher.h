#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

namespace tessel {

// Notices the wall clock being set, through a timerfd that the kernel cancels on every
// change of CLOCK_REALTIME.
class ClockWatcher final : public QObject {
    Q_OBJECT

public:
    ClockWatcher();
    ~ClockWatcher() override;

Q_SIGNALS:
    void clockChanged();

private:
    bool arm();
    void fired();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace tessel
