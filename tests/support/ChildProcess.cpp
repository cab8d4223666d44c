#include "ChildProcess.h"

#include "WaitFor.h"

#include <QProcess>
#include <QStandardPaths>

#include <csignal>
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
constexpr int lineFd = 3;
constexpr auto lineTimeout = std::chrono::seconds(20);
constexpr auto stopGrace = std::chrono::seconds(5);
constexpr int toolTimeoutMs = 30000;

bool reaped(pid_t pid) {
    return waitFor([pid] { return waitpid(pid, nullptr, WNOHANG) != 0; }, stopGrace);
}

// Between fork and exec only async-signal-safe calls: everything else is prepared before.
[[noreturn]] void becomeChild(char* const* args, char* const* env, const char* logPath, int lineEnd,
                              pid_t parent) {
    const int input = ::open("/dev/null", O_RDONLY);
    const int log = ::open(logPath, O_WRONLY | O_CREAT | O_APPEND, logMode);
    if (::setpgid(0, 0) == 0 && ::prctl(PR_SET_PDEATHSIG, SIGKILL) == 0 && ::getppid() == parent &&
        input >= 0 && log >= 0 && ::dup2(input, STDIN_FILENO) >= 0 &&
        ::dup2(log, STDOUT_FILENO) >= 0 && ::dup2(log, STDERR_FILENO) >= 0 &&
        ::dup2(lineEnd, lineFd) >= 0) {
        ::execvpe(args[0], args, env);
    }
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

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const QString& logPath,
                           const std::vector<std::string>& environment) {
    const std::vector<char*> args = pointers(argv);
    const QByteArray log = logPath.toLocal8Bit();
    const std::vector<char*> env = pointers(environment, environ);
    int lines[2];
    if (pipe2(lines, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe2 failed");
    }
    const pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid == 0) {
        becomeChild(args.data(), env.data(), log.constData(), lines[1], parent);
    }
    close(lines[1]);
    m_lines = lines[0];
    if (m_pid < 0) {
        throw std::runtime_error("cannot start " + argv.front());
    }
}

ChildProcess::~ChildProcess() {
    close(m_lines);
    if (isRunning()) {
        ::kill(-m_pid, SIGTERM);
        if (!reaped(m_pid)) {
            ::kill(-m_pid, SIGKILL);
            reaped(m_pid);
        }
    }
}

bool ChildProcess::isRunning() {
    if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) != 0) {
        m_pid = -1;
    }
    return m_pid > 0;
}

std::string ChildProcess::firstLine() const {
    const QDeadlineTimer deadline(lineTimeout);
    std::string line;
    char c = 0;
    pollfd readable{m_lines, POLLIN, 0};
    while (poll(&readable, 1, static_cast<int>(deadline.remainingTime())) > 0 &&
           read(m_lines, &c, 1) == 1 && c != '\n') {
        line.push_back(c);
    }
    if (c != '\n') {
        throw std::runtime_error("a test desktop program said nothing; partial: " + line);
    }
    return line;
}

bool hasProgram(const std::string& name) {
    return !QStandardPaths::findExecutable(QString::fromStdString(name)).isEmpty();
}

void requirePrograms(const char* tests, std::initializer_list<const char*> programs) {
    std::string missing;
    for (const char* program : programs) {
        missing += hasProgram(program) ? "" : std::string(" ") + program;
    }
    if (!missing.empty()) {
        throw std::runtime_error(std::string(tests) + " need programs that are missing:" + missing);
    }
}

std::optional<QByteArray> runTool(const QString& program, const QStringList& arguments,
                                  const QStringList& environment) {
    QProcess tool;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : environment) {
        variables.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    }
    tool.setProcessEnvironment(variables);
    tool.start(program, arguments);
    if (!tool.waitForFinished(toolTimeoutMs) || tool.exitStatus() != QProcess::NormalExit ||
        tool.exitCode() != 0) {
        return std::nullopt;
    }
    return tool.readAllStandardOutput();
}

} // namespace tessel::test
