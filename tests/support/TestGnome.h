#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

namespace tessel::test {

class ChildProcess;
class PrivateBus;

// A private headless GNOME Shell on Wayland with one 1280×720 virtual monitor, XWayland and
// Tessel's shell extension enabled, on a private session bus and a stand-in system bus. The
// shell runs in a mount namespace of its own in which systemd is hidden, so that it asks no
// logind for a session; that takes root. Everything started goes when this does, or when the
// test process dies. Construction throws std::runtime_error when the shell does not come up.
class TestGnome {
public:
    static bool available();

    TestGnome();
    ~TestGnome();

    TestGnome(const TestGnome&) = delete;
    TestGnome& operator=(const TestGnome&) = delete;

    // What a client of this shell needs in its environment, X and Wayland alike.
    std::vector<std::string> clientEnvironment() const;

    // The screen as shown, read through the shell's own screenshot service, which answers
    // only the names of GNOME's own tools; this process takes one of them.
    QImage screenshot(QRect area) const;
    QColor pixel(QPoint at) const;

    // Input as a remote desktop client gives it.
    void click(QPoint at);
    void pressKeys(const std::vector<uint32_t>& keysyms);

    QString logPath(const char* name) const;

private:
    void startRemoteDesktop();
    QString xDisplay() const;

    QTemporaryDir m_dir;
    QString m_runtimeDir;
    QString m_home;
    std::unique_ptr<ChildProcess> m_systemBus;
    std::unique_ptr<PrivateBus> m_bus;
    std::unique_ptr<ChildProcess> m_shell;
    QString m_display;
    QString m_remoteDesktop;
    mutable int m_shots = 0;
};

} // namespace tessel::test
