#pragma once

#include "ChildProcess.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QTemporaryDir>

#include <memory>

namespace tessel::test {

// Settings with paper on: the Kozo paper by day.
inline const QByteArray paperOn = R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300}})";

inline bool isWhite(const QColor& c) {
    return c.isValid() && c.red() == 255 && c.green() == 255 && c.blue() == 255;
}

// Light paper over white: a little darker than white, never the tile's own dark colour.
inline bool isPaperOverWhite(const QColor& c) {
    constexpr int lightest = 180;
    return c.isValid() && !isWhite(c) && c.red() > lightest && c.green() > lightest &&
           c.blue() > lightest;
}

// A private bus whose address this process, and every child it starts from now on, finds in
// the environment variable given.
class PrivateBus {
public:
    explicit PrivateBus(const QString& folder, const char* variable = "DBUS_SESSION_BUS_ADDRESS");

private:
    std::unique_ptr<ChildProcess> m_daemon;
};

// What every private desktop the tests start has: a folder for its sockets and logs, and a
// private session bus. Everything it starts goes when it does, or when the test process dies.
class TestSession {
public:
    TestSession(const TestSession&) = delete;
    TestSession& operator=(const TestSession&) = delete;
    virtual ~TestSession() = default;

    // The screen as shown, or the part of it given; a null image when it cannot be read.
    virtual QImage screenshot(QRect area = {}) const = 0;
    // One pixel as shown; an invalid colour when it cannot be read.
    QColor pixel(QPoint at) const;
    QString logPath(const char* name) const;

protected:
    TestSession();

    QTemporaryDir m_dir;
    std::unique_ptr<PrivateBus> m_bus;
};

// The built tessel as a user starts it, with reduced motion and its settings in a fresh folder.
class TesselProcess {
public:
    // settings: the stored settings record as JSON; empty for a first launch.
    explicit TesselProcess(const QByteArray& settings = {});
    void start();
    bool isRunning() { return m_process && m_process->isRunning(); }
    // Sends the signal and waits for the end: the exit code of a normal exit, else none.
    std::optional<int> end(int signal);
    QByteArray log() const;
    QString config() const { return m_config.path(); }
    // A tessel command on this folder, run to its end: what it printed, or nothing on failure.
    std::optional<QString> command(const QStringList& arguments) const;

private:
    QTemporaryDir m_config;
    std::unique_ptr<ChildProcess> m_process;
};

} // namespace tessel::test
