#include <QApplication>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

// Widgets on the offscreen platform and a private session bus for the whole run, so that
// nothing reaches the desktop or the bus of whoever runs the tests.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);

    QProcess bus;
    if (!::testing::GTEST_FLAG(list_tests) &&
        !QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
        bus.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address=1")});
        if (bus.waitForStarted(10000) && bus.waitForReadyRead(10000)) {
            qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());
        }
    }
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
        bus.state() != QProcess::Running) {
        // Tests that need the bus skip themselves when it is not there.
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    const int result = RUN_ALL_TESTS();
    if (bus.state() != QProcess::NotRunning) {
        bus.terminate();
        if (!bus.waitForFinished(5000)) {
            bus.kill();
            bus.waitForFinished(5000);
        }
    }
    return result;
}
