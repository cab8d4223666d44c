#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace tessel::test {

// A helper program that never outlives the test: it runs in its own process group, which the
// destructor ends, and the kernel kills it should the test die first. Its output goes to
// logPath; environment entries ("NAME=value") come before ours.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const std::string& logPath,
                 const std::vector<std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    bool isRunning();
    // The first line the program writes to its descriptor 3: a display number, a bus address.
    std::string firstLine() const;

private:
    pid_t m_pid = -1;
    int m_lines = -1;
};

bool hasProgram(const std::string& name);

} // namespace tessel::test
