#include "app/QuitSignals.h"

#include "app/AppLog.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace tessel {

namespace {

volatile std::sig_atomic_t wakeFd = -1;

// Only async-signal-safe calls are allowed here, so the handler just wakes the event loop.
void onQuitSignal(int signal) {
    const int savedErrno = errno;
    const auto number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(wakeFd, &number, 1);
    errno = savedErrno;
}

} // namespace

QuitSignals::QuitSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, m_socket.data()) !=
        0) {
        qCWarning(lcApp, "quit signals will end Tessel at once: no socket pair: %s",
                  std::strerror(errno));
        return;
    }
    wakeFd = m_socket[0];
    m_notifier = std::make_unique<QSocketNotifier>(m_socket[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &QuitSignals::takeSignals);
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < caught.size(); ++i) {
        if (sigaction(caught[i], &action, &m_previous[i]) != 0) {
            qCWarning(lcApp, "SIG%s will end Tessel at once: %s", sigabbrev_np(caught[i]),
                      std::strerror(errno));
        }
    }
}

QuitSignals::~QuitSignals() {
    if (m_notifier) {
        for (std::size_t i = 0; i < caught.size(); ++i) {
            sigaction(caught[i], &m_previous[i], nullptr);
        }
        wakeFd = -1;
    }
    m_notifier.reset();
    for (const int fd : m_socket) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void QuitSignals::takeSignals() {
    unsigned char number = 0;
    while (::read(m_socket[1], &number, 1) == 1) {
        qCDebug(lcApp, "quitting on SIG%s", sigabbrev_np(number));
    }
    QCoreApplication::quit();
}

} // namespace tessel
