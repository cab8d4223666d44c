#pragma once

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tessel::test {

// A helper program that never outlives the test: it runs in its own process group, which the
// destructor ends, and the kernel kills it should the test die first. Its output goes to
// logPath; environment entries ("NAME=value") are added to ours; passFd, when given, becomes
// the child's descriptor 3.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const std::string& logPath,
                 const std::vector<std::string>& environment = {}, int passFd = -1);
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    bool isRunning();
    // SIGTERM to the group, then SIGKILL after a grace period; always reaps.
    void stop();

private:
    pid_t m_pid = -1;
};

// A pipe whose write end a child inherits as descriptor 3 to tell one line: a display number,
// a bus address.
class LinePipe {
public:
    LinePipe();
    ~LinePipe();
    int writeEnd() const { return m_ends[1]; }
    // Closes our write end, then reads the child's line, or throws after the timeout.
    std::string readLine(std::chrono::milliseconds timeout);

private:
    int m_ends[2] = {-1, -1};
};

bool hasProgram(const std::string& name);

} // namespace tessel::test
