#include "Files.h"
#include "WaitFor.h"
#include "platform/pipewire/CallWatcher.h"
#include "support/ChildProcess.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {
namespace {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// A daemon with a null sink and no session manager: the test wires the recorder to the sink's
// monitor itself, which is what sets both nodes running.
constexpr auto daemonConfig = R"(
context.properties = { core.daemon = true core.name = pipewire-0 }
context.spa-libs = { audio.convert.* = audioconvert/libspa-audioconvert
                     support.* = support/libspa-support }
context.modules = [
    { name = libpipewire-module-protocol-native }
    { name = libpipewire-module-metadata }
    { name = libpipewire-module-access }
    { name = libpipewire-module-spa-node-factory }
    { name = libpipewire-module-client-node }
    { name = libpipewire-module-adapter }
    { name = libpipewire-module-link-factory }
]
context.objects = [
    { factory = adapter args = { factory.name = support.null-audio-sink node.name = null-sink
      media.class = Audio/Sink audio.position = [ FL FR ]
      adapter.auto-port-config = { mode = dsp monitor = true position = preserve } } }
]
)";

// A recorder's stream gets its ports from the session manager; here it asks for them itself.
constexpr auto recorderPorts =
    "{ adapter.auto-port-config = { mode = dsp monitor = false position = preserve } }";

class Calls : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", m_dir.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_savedRuntime); }

    std::unique_ptr<test::ChildProcess> startDaemon() {
        test::requirePrograms("The call tests", {"pipewire", "pw-record", "pw-link"});
        const QString config = m_dir.filePath(u"pipewire.conf"_s);
        EXPECT_TRUE(test::writeFile(config, daemonConfig));
        QFile::remove(m_dir.filePath(u"pipewire-0"_s));
        auto daemon = std::make_unique<test::ChildProcess>(
            std::vector<std::string>{"pipewire", "-c", config.toStdString()},
            m_dir.filePath(u"pipewire.log"_s));
        EXPECT_TRUE(waitFor([&] { return QFile::exists(m_dir.filePath(u"pipewire-0"_s)); }, 10s));
        return daemon;
    }

    // Records the null sink's monitor, wired as a session manager would wire it.
    std::unique_ptr<test::ChildProcess> startRecording() {
        auto recorder = std::make_unique<test::ChildProcess>(
            std::vector<std::string>{"pw-record", "-P", recorderPorts,
                                     m_dir.filePath(u"call.wav"_s).toStdString()},
            m_dir.filePath(u"pw-record.log"_s));
        for (const char* channel : {"FL", "FR"}) {
            const QStringList ports{u"null-sink:monitor_"_s + QLatin1String(channel),
                                    u"pw-record:input_"_s + QLatin1String(channel)};
            EXPECT_TRUE(
                waitFor([&] { return test::runTool(u"pw-link"_s, ports).has_value(); }, 10s))
                << channel;
        }
        return recorder;
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_savedRuntime;
};

// Waiting for a daemon would hang here.
TEST_F(Calls, NothingIsGoingOnWithoutADaemon) {
    EXPECT_FALSE(CallWatcher().inCall());
}

// The watcher comes first, as at login, and follows each daemon that starts after it.
TEST_F(Calls, ARecordingIsACallUntilItStopsOrTheDaemonGoes) {
    const CallWatcher watcher;
    for (const bool daemonGoes : {false, true, false}) {
        auto daemon = startDaemon();
        auto recorder = startRecording();
        EXPECT_TRUE(waitFor([&] { return watcher.inCall(); }, 10s)) << daemonGoes;
        (daemonGoes ? daemon : recorder).reset();
        EXPECT_TRUE(waitFor([&] { return !watcher.inCall(); }, 10s)) << daemonGoes;
    }
}

} // namespace
} // namespace tessel
