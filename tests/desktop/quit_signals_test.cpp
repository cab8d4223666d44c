#include "TestDesktop.h"
#include "app/AutomationService.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include <csignal>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

bool nameTaken() {
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(
        AutomationService::serviceName());
}

// The built tessel, told to go by a signal as a session ending or `kill` would tell it, quits
// through its event loop: it writes what it has not saved yet and exits with status 0 instead
// of dying by the signal.
TEST(QuitSignals, QuitInOrderWriteWhatIsUnsavedAndGiveTheNameUp) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        test::TesselProcess tessel;
        tessel.start();
        ASSERT_TRUE(
            waitFor([&] { return nameTaken() || !tessel.isRunning(); }, std::chrono::minutes(1)));
        ASSERT_TRUE(nameTaken()) << tessel.log().toStdString();

        // Turning paper back on is still waiting to be written when the signal comes.
        for (const bool on : {false, true}) {
            QDBusMessage call = QDBusMessage::createMethodCall(
                AutomationService::serviceName(), AutomationService::objectPath(),
                u"org.freedesktop.Application"_s, u"ActivateAction"_s);
            call.setArguments({u"set-paper-on"_s, QVariantList{on}, QVariantMap()});
            const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
            ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage)
                << reply.errorMessage().toStdString();
        }
        EXPECT_EQ(tessel.end(signal), 0) << tessel.log().toStdString();
        EXPECT_FALSE(nameTaken());
        EXPECT_TRUE(tessel.command({u"settings"_s, u"show"_s})
                        .value_or(QString())
                        .contains(u"\"enabled\":true"));
    }
}

} // namespace
} // namespace tessel
