#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace tessel::test {

// A helper program that never outlives the test: it runs in its own process group, which the
// destructor ends, and the kernel kills it should the test die first. Its output goes to
// logPath; environment entries ("NAME=value") come before ours.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const QString& logPath,
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
// Throws std::runtime_error naming every program missing, so that the tests fail, not skip.
void requirePrograms(const char* tests, std::initializer_list<const char*> programs);

// Runs a tool to its end, with these entries ("NAME=value") added to the environment: what it
// printed, or nothing when it failed or hung.
std::optional<QByteArray> runTool(const QString& program, const QStringList& arguments,
                                  const QStringList& environment = {});

} // namespace tessel::test
