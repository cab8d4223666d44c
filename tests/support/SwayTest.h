#pragma once

#include "ChildProcess.h"
#include "TestSway.h"
#include "WaitFor.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tessel::test {

// A full-screen native window in one colour; it logs the clicks and keys it receives.
class SolidWindow {
public:
    SolidWindow(const TestSway& sway, const char* appId, const char* colour, const QString& log)
        : m_log(log) {
        std::vector<std::string> environment = sway.clientEnvironment();
        environment.emplace_back("ASAN_OPTIONS=detect_leaks=0");
        m_process = std::make_unique<ChildProcess>(
            std::vector<std::string>{TESSEL_SOLID_WINDOW, appId, colour}, log.toStdString(),
            environment);
    }

    bool isShown() const { return read().contains("ready\n"); }
    bool received(const QByteArray& line) const { return read().contains(line + '\n'); }
    qsizetype count(const QByteArray& line) const { return read().count(line + '\n'); }

private:
    QByteArray read() const {
        QFile file(m_log);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString m_log;
    std::unique_ptr<ChildProcess> m_process;
};

// Tests on one headless sway shared by the suite, which this process's environment points at.
class SwayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (TestSway::available()) {
            sway = std::make_unique<TestSway>();
            sway->exportEnvironment();
        }
    }
    static void TearDownTestSuite() { sway.reset(); }

    void SetUp() override {
        ASSERT_TRUE(sway) << "the Wayland tests need sway, swaymsg, grim, wtype and dbus-daemon";
    }

    std::unique_ptr<SolidWindow> openWindow(const char* appId, const char* colour = "ffffff") {
        auto window = std::make_unique<SolidWindow>(
            *sway, appId, colour, sway->logPath(appId) + QString::number(++m_windows));
        EXPECT_TRUE(waitFor([&] { return window->isShown(); })) << appId << " did not show";
        return window;
    }

    static inline std::unique_ptr<TestSway> sway;

private:
    int m_windows = 0;
};

} // namespace tessel::test
