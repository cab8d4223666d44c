#include "FakeService.h"
#include "Files.h"
#include "WaitFor.h"
#include "platform/wayland/KWinScript.h"

#include <QDBusMessage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>

#include <gtest/gtest.h>

namespace tessel {
namespace {

using namespace Qt::StringLiterals;

// KWin's scripting interface, which cannot run here: it keeps the scripts by name as KWin
// does, refusing a name already loaded, and reads each script's text when it is loaded. It
// answers on the service's thread, so what it keeps is read under its lock.
class OnKWin : public ::testing::Test {
protected:
    OnKWin() {
        kwin.answer(u"/Scripting"_s, [this](const QDBusMessage& call) { return scripting(call); });
        kwin.answer(u"/Scripting/Script0"_s, [](const QDBusMessage& call) {
            return call.member() == u"run" ? std::optional(QVariantList()) : std::nullopt;
        });
    }

    std::optional<QVariantList> scripting(const QDBusMessage& call) {
        const QMutexLocker lock(&mutex);
        const QVariantList arguments = call.arguments();
        if (call.member() == u"unloadScript") {
            return QVariantList{loaded.removeAll(arguments.value(0).toString()) > 0};
        }
        if (call.member() != u"loadScript") {
            return std::nullopt;
        }
        const QString plugin = arguments.value(1).toString();
        if (loaded.contains(plugin)) {
            return QVariantList{-1};
        }
        text = QString::fromUtf8(test::readFile(arguments.value(0).toString()));
        loaded.append(plugin);
        return QVariantList{0};
    }

    template <typename Value> Value locked(const Value& value) {
        const QMutexLocker lock(&mutex);
        return value;
    }

    // What the script sends, from a connection of its own as KWin's would be, not waiting for
    // the answer as KWin does not.
    static void report(const QString& method, const QString& json) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(KWinReports::serviceName(), KWinReports::objectPath(),
                                           u"com.corvane.Tessel.KWin"_s, method);
        call << json;
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"kwin"_s).send(call);
    }

    QMutex mutex;
    QStringList loaded;
    QString text;
    test::FakeService kwin{KWinScript::kwinService()};
};

TEST_F(OnKWin, OneScriptRunsFilledInReplacingAStaleOneAndGoesWithTessel) {
    loaded = QStringList{u"tessel"_s};
    {
        const auto running = KWinScript::start(QDBusConnection::sessionBus());
        ASSERT_TRUE(running);
        EXPECT_EQ(locked(loaded), QStringList{u"tessel"_s});
        EXPECT_FALSE(locked(text).contains(u'@')) << locked(text).toStdString();
        EXPECT_TRUE(locked(text).contains(u"const HIDE_FROM_CAPTURE = true;"_s));
        // The pointer is reported only while Tessel asks for it.
        const auto follows = [&](bool on) {
            return locked(text).contains(on ? u"FOLLOW_POINTER = true;"_s
                                            : u"FOLLOW_POINTER = false;"_s);
        };
        EXPECT_TRUE(follows(false));
        running->pointer();
        EXPECT_TRUE(follows(true));
        EXPECT_TRUE(waitFor([&] { return follows(false); }, std::chrono::seconds(5)));
        // A second Tessel leaves the first one's script be.
        EXPECT_FALSE(KWinScript::start(QDBusConnection::sessionBus()));
        EXPECT_EQ(locked(loaded), QStringList{u"tessel"_s});
    }
    EXPECT_TRUE(locked(loaded).isEmpty());
}

TEST_F(OnKWin, ReportsReadAsTheLatestWord) {
    const auto running = KWinScript::start(QDBusConnection::sessionBus());
    ASSERT_TRUE(running);
    const KWinReports& reports = running->reports();
    struct Case {
        const char* method;
        const char* json;
        std::function<bool()> holds;
    };
    const Case cases[] = {
        {"ActiveWindowChanged",
         R"({"desktopFile":"org.kde.kate","resourceClass":"kate","pid":42,)"
         R"("frame":{"x":10,"y":20,"width":300,"height":200}})",
         [&] {
             return reports.activeWindow() ==
                    KWinWindow{{u"org.kde.kate"_s, 42, u"org.kde.kate"_s}, {10, 20, 300, 200}};
         }},
        {"ActiveWindowChanged", R"({"desktopFile":"","resourceClass":"xterm","pid":7,"frame":{}})",
         [&] { return reports.activeWindow() && reports.activeWindow()->app.appId == u"xterm"_s; }},
        {"ActiveWindowChanged", "{}", [&] { return !reports.activeWindow(); }},
        {"RunningAppsChanged",
         R"([{"desktopFile":"a","pid":1},{"desktopFile":"a","pid":1},{"resourceClass":"b"}])",
         [&] { return reports.runningApps().size() == 2; }},
        {"PointerMoved", R"({"x":640.0,"y":360})",
         [&] { return reports.pointer() == QPoint(640, 360); }},
        {"CaptureExclusionAvailable", "{}", [&] { return reports.canExcludeFromCapture(); }},
    };
    for (const Case& c : cases) {
        report(QString::fromLatin1(c.method), QString::fromLatin1(c.json));
        EXPECT_TRUE(waitFor(c.holds, std::chrono::seconds(5))) << c.method << ' ' << c.json;
    }
}

// The app's id is input: whatever it holds must reach the script as the same string.
TEST_F(OnKWin, BringingAnAppToTheFrontRunsAOneShotScriptWithTheIdSealedIn) {
    const auto running = KWinScript::start(QDBusConnection::sessionBus());
    ASSERT_TRUE(running);
    const QString id = u"a\";\nworkspace.activeClient = null;\n\"\\\u2028"_s;
    running->activate({id, 42, {}});
    EXPECT_EQ(locked(loaded), QStringList{u"tessel"_s});
    const QString script = locked(text);
    const QString marker = u"const WANTED = "_s;
    const qsizetype start = script.indexOf(marker) + marker.size();
    const QJsonObject wanted =
        QJsonDocument::fromJson(script.mid(start, script.indexOf(u";\n"_s, start) - start).toUtf8())
            .object();
    EXPECT_EQ(wanted.value(u"appId"_s).toString(), id) << script.toStdString();
    EXPECT_EQ(wanted.value(u"pid"_s).toInt(), 42);
    EXPECT_FALSE(script.contains(QChar(0x2028)));
}

} // namespace
} // namespace tessel
