#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <memory>

namespace tessel {

// Turns SIGTERM, SIGINT and SIGHUP into QCoreApplication::quit(), so that the session ending
// or a `kill` tears Tessel down through the event loop rather than the signal ending it.
// Only one may live at a time; it restores the previous handlers when it goes.
class QuitSignals final : public QObject {
    Q_OBJECT

public:
    QuitSignals();
    ~QuitSignals() override;

    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

private:
    static constexpr std::array caught{SIGTERM, SIGINT, SIGHUP};

    void takeSignals();

    // The handler writes to the first end; the event loop reads the second.
    std::array<int, 2> m_socket{-1, -1};
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::array<struct sigaction, caught.size()> m_previous{};
};

} // namespace tessel
