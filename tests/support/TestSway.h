#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

namespace tessel::test {

class ChildProcess;
class PrivateBus;

// A private headless sway for Wayland tests: one 1280×720 output drawn by the pixman
// renderer, no input devices, no X at all, and a private session bus. sway refuses to run as
// root, so under root it runs as "nobody" in a runtime folder of its own; clients keep their
// own user and reach it by the socket's full path. Everything started goes when this does,
// or when the test process dies. Construction throws std::runtime_error when sway does not
// come up.
class TestSway {
public:
    static bool available();

    TestSway();
    ~TestSway();

    TestSway(const TestSway&) = delete;
    TestSway& operator=(const TestSway&) = delete;

    // What a client of this sway needs in its environment.
    std::vector<std::string> clientEnvironment() const;
    // Points this process's environment at this sway and its bus.
    void exportEnvironment() const;

    // One pixel of the output as shown, or an invalid colour when grim fails.
    QColor pixel(QPoint at) const;
    // The whole output as shown.
    QImage screenshot() const;
    // Runs swaymsg with these arguments; whether sway answered with success.
    bool command(const QStringList& arguments) const;

    QString logPath(const char* name) const;

private:
    QImage grab(const QStringList& arguments) const;

    QTemporaryDir m_dir;
    QString m_runtimeDir;
    QString m_clientRuntimeDir;
    QString m_socket;
    QString m_ipcSocket;
    QString m_busAddress;
    std::unique_ptr<ChildProcess> m_sway;
    std::unique_ptr<PrivateBus> m_bus;
};

} // namespace tessel::test
