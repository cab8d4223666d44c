#include "DesktopTest.h"
#include "app/AutomationService.h"
#include "core/SettingsJson.h"
#include "platform/UserDefaults.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <nlohmann/json.hpp>
#include <sys/prctl.h>

namespace tessel {
namespace {

using test::waitUntil;

constexpr auto startTimeout = std::chrono::seconds(60);
constexpr int quitTimeoutMs = 30000;

struct QuitSignal {
    int number;
    const char* name;

    friend void PrintTo(const QuitSignal& signal, std::ostream* out) { *out << signal.name; }
};

class QuitSignalsTest : public test::DesktopTest, public ::testing::WithParamInterface<QuitSignal> {
protected:
    static bool nameTaken() {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered(
            AutomationService::serviceName());
    }
};

// The built tessel, told to go by a signal as a session ending or `kill` would tell it, quits
// through its event loop: it writes what it has not saved yet and exits with status 0 instead
// of dying by the signal.
TEST_P(QuitSignalsTest, QuitsInOrderAndGivesItsNameUp) {
    QTemporaryDir config;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TESSEL_CONFIG_DIR"), config.path());
    QProcess tessel;
    tessel.setProcessEnvironment(environment);
    // Should the test itself die, the kernel ends this Tessel too.
    tessel.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    tessel.start(QStringLiteral(TESSEL_BINARY), {});
    ASSERT_TRUE(tessel.waitForStarted());
    ASSERT_TRUE(waitUntil([&] { return nameTaken() || tessel.state() != QProcess::Running; },
                          startTimeout));
    ASSERT_TRUE(nameTaken()) << tessel.readAllStandardError().toStdString();

    // Turning paper back on is still waiting to be written when the signal comes.
    for (const bool on : {false, true}) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            AutomationService::serviceName(), AutomationService::objectPath(),
            QStringLiteral("org.freedesktop.Application"), QStringLiteral("ActivateAction"));
        call.setArguments({QStringLiteral("set-paper-on"), QVariantList{on}, QVariantMap()});
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }
    ::kill(static_cast<pid_t>(tessel.processId()), GetParam().number);
    ASSERT_TRUE(tessel.waitForFinished(quitTimeoutMs));
    const std::string said = tessel.readAllStandardError().toStdString();
    EXPECT_EQ(tessel.exitStatus(), QProcess::NormalExit) << said;
    EXPECT_EQ(tessel.exitCode(), 0) << said;
    EXPECT_FALSE(nameTaken());
    const auto stored = UserDefaults(config.path()).value("settings");
    ASSERT_TRUE(stored);
    EXPECT_TRUE(settingsFromJson(*stored)->enabled);
}

INSTANTIATE_TEST_SUITE_P(EachQuitSignal, QuitSignalsTest,
                         ::testing::Values(QuitSignal{SIGTERM, "SIGTERM"},
                                           QuitSignal{SIGINT, "SIGINT"},
                                           QuitSignal{SIGHUP, "SIGHUP"}),
                         [](const auto& signal) { return std::string(signal.param.name); });

} // namespace
} // namespace tessel
