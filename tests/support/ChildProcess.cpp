#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tessel::test {

namespace {

constexpr mode_t logMode = 0644;
// A descriptor handed to the child arrives as its fd 3.
constexpr int passedFd = 3;

bool waitForExit(pid_t pid, std::chrono::milliseconds grace) {
    const QDeadlineTimer deadline(grace);
    for (;;) {
        const pid_t done = waitpid(pid, nullptr, WNOHANG);
        if (done == pid || (done < 0 && errno == ECHILD)) {
            return true;
        }
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(2);
    }
}

// Between fork and exec only async-signal-safe calls: everything else is prepared before.
[[noreturn]] void becomeChild(char* const* args, char* const* env, const char* logPath, int passFd,
                              pid_t parent) {
    // Should the test die, by a crash or a kill, the kernel ends this child too.
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent) {
        ::_exit(EXIT_FAILURE);
    }
    const int input = ::open("/dev/null", O_RDONLY);
    const int log = ::open(logPath, O_WRONLY | O_CREAT | O_APPEND, logMode);
    if (input < 0 || log < 0 || ::dup2(input, STDIN_FILENO) < 0 || ::dup2(log, STDOUT_FILENO) < 0 ||
        ::dup2(log, STDERR_FILENO) < 0 || (passFd >= 0 && ::dup2(passFd, passedFd) < 0)) {
        ::_exit(EXIT_FAILURE);
    }
    ::execvpe(args[0], args, env);
    constexpr char cannotRun[] = "cannot run this program\n";
    static_cast<void>(::write(STDERR_FILENO, cannotRun, sizeof cannotRun - 1));
    ::_exit(EXIT_FAILURE);
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& logPath,
                           const std::vector<std::string>& environment, int passFd) {
    std::vector<char*> args;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    args.push_back(nullptr);
    std::vector<char*> env;
    for (const std::string& entry : environment) {
        env.push_back(const_cast<char*>(entry.c_str()));
    }
    for (char** entry = environ; *entry; ++entry) {
        env.push_back(*entry);
    }
    env.push_back(nullptr);
    const pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid == 0) {
        becomeChild(args.data(), env.data(), logPath.c_str(), passFd, parent);
    }
    if (m_pid < 0) {
        m_pid = -1;
        throw std::runtime_error("cannot start " + argv.front());
    }
}

ChildProcess::~ChildProcess() {
    stop();
}

bool ChildProcess::isRunning() {
    if (m_pid <= 0) {
        return false;
    }
    if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
        m_pid = -1;
        return false;
    }
    return true;
}

void ChildProcess::stop() {
    if (m_pid <= 0) {
        return;
    }
    kill(m_pid, SIGTERM);
    if (!waitForExit(m_pid, std::chrono::seconds(5))) {
        kill(m_pid, SIGKILL);
        waitForExit(m_pid, std::chrono::seconds(5));
    }
    m_pid = -1;
}

bool hasProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

} // namespace tessel::test
