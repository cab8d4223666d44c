#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace tessel::test {

// A helper program of the test desktop. Its output goes to logPath, environment entries
// ("NAME=value") are added to ours, and passFd, when given, is handed to the child as
// descriptor 3. The destructor stops it and reaps it.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const std::string& logPath,
                 const std::vector<std::string>& environment = {}, int passFd = -1);
    ~ChildProcess();

    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    bool isRunning();

    // SIGTERM, then SIGKILL if it has not gone after a grace period; always reaps.
    void stop();

private:
    pid_t m_pid = -1;
};

// Whether a program is on PATH.
bool hasProgram(const std::string& name);

} // namespace tessel::test
