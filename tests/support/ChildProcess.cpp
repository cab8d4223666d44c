#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tessel::test {

namespace {

constexpr mode_t logMode = 0644;
constexpr int passedFd = 3;
constexpr auto stopGrace = std::chrono::seconds(5);

bool reaped(pid_t pid, std::chrono::milliseconds grace) {
    const QDeadlineTimer deadline(grace);
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(2);
    }
    return true;
}

// Between fork and exec only async-signal-safe calls: everything else is prepared before.
[[noreturn]] void becomeChild(char* const* args, char* const* env, const char* logPath, int passFd,
                              pid_t parent) {
    const int input = ::open("/dev/null", O_RDONLY);
    const int log = ::open(logPath, O_WRONLY | O_CREAT | O_APPEND, logMode);
    if (::setpgid(0, 0) != 0 || ::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent ||
        input < 0 || log < 0 || ::dup2(input, STDIN_FILENO) < 0 || ::dup2(log, STDOUT_FILENO) < 0 ||
        ::dup2(log, STDERR_FILENO) < 0 || (passFd >= 0 && ::dup2(passFd, passedFd) < 0)) {
        ::_exit(EXIT_FAILURE);
    }
    ::execvpe(args[0], args, env);
    ::_exit(EXIT_FAILURE);
}

std::vector<char*> pointers(const std::vector<std::string>& strings, char** more = nullptr) {
    std::vector<char*> result;
    for (const std::string& s : strings) {
        result.push_back(const_cast<char*>(s.c_str()));
    }
    for (; more && *more; ++more) {
        result.push_back(*more);
    }
    result.push_back(nullptr);
    return result;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& logPath,
                           const std::vector<std::string>& environment, int passFd) {
    const std::vector<char*> args = pointers(argv);
    const std::vector<char*> env = pointers(environment, environ);
    const pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid == 0) {
        becomeChild(args.data(), env.data(), logPath.c_str(), passFd, parent);
    }
    if (m_pid < 0) {
        throw std::runtime_error("cannot start " + argv.front());
    }
}

bool ChildProcess::isRunning() {
    if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
        m_pid = -1;
    }
    return m_pid > 0;
}

void ChildProcess::stop() {
    if (m_pid <= 0) {
        return;
    }
    ::kill(-m_pid, SIGTERM);
    if (!reaped(m_pid, stopGrace)) {
        ::kill(-m_pid, SIGKILL);
        reaped(m_pid, stopGrace);
    }
    m_pid = -1;
}

LinePipe::LinePipe() {
    if (pipe2(m_ends, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe2 failed");
    }
}

LinePipe::~LinePipe() {
    for (const int end : m_ends) {
        if (end >= 0) {
            close(end);
        }
    }
}

std::string LinePipe::readLine(std::chrono::milliseconds timeout) {
    close(m_ends[1]);
    m_ends[1] = -1;
    const QDeadlineTimer deadline(timeout);
    std::string line;
    char c = 0;
    pollfd readable{m_ends[0], POLLIN, 0};
    while (poll(&readable, 1, static_cast<int>(deadline.remainingTime())) > 0 &&
           read(m_ends[0], &c, 1) == 1) {
        if (c == '\n') {
            return line;
        }
        line.push_back(c);
    }
    throw std::runtime_error("a test desktop program said nothing; partial: " + line);
}

bool hasProgram(const std::string& name) {
    return !QStandardPaths::findExecutable(QString::fromStdString(name)).isEmpty();
}

} // namespace tessel::test
