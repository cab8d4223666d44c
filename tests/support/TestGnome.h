#pragma once

#include "TestSession.h"

#include <QDBusConnection>

#include <string>
#include <vector>

namespace tessel::test {

// A private headless GNOME Shell on Wayland with one 1280×720 virtual monitor, XWayland and
// Tessel's shell extension enabled, on a private session bus and a stand-in system bus. The
// shell runs in a mount namespace of its own in which systemd is hidden, so that it asks no
// logind for a session; that takes root. This process and its children are its clients from
// construction on, which throws std::runtime_error when the shell does not come up.
class TestGnome : public TestSession {
public:
    TestGnome();
    ~TestGnome() override;

    // Read through the shell's own screenshot service, which answers only the names of GNOME's
    // own tools; this process takes one of them.
    QImage screenshot(QRect area = {}) const override;

    // Input as a remote desktop client gives it.
    void movePointer(QPoint at);
    void click(QPoint at);
    void pressKeys(const std::vector<uint32_t>& keysyms);

private:
    QString xDisplay() const;
    void exportClientEnvironment(const QString& runtime) const;

    std::unique_ptr<PrivateBus> m_systemBus;
    std::unique_ptr<ChildProcess> m_shell;
    QString m_remoteDesktop;
    mutable int m_shots = 0;
};

} // namespace tessel::test
