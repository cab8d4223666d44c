#include "WaitFor.h"
#include "platform/pipewire/CallWatcher.h"
#include "support/ChildProcess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
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

    std::string path(const char* name) const {
        return m_dir.filePath(QLatin1String(name)).toStdString();
    }

    std::unique_ptr<test::ChildProcess> startDaemon() {
        QFile config(m_dir.filePath(u"pipewire.conf"_s));
        EXPECT_TRUE(config.open(QIODevice::WriteOnly) && config.write(daemonConfig) > 0);
        config.close();
        QFile::remove(m_dir.filePath(u"pipewire-0"_s));
        auto daemon = std::make_unique<test::ChildProcess>(
            std::vector<std::string>{"pipewire", "-c", config.fileName().toStdString()},
            path("pipewire.log"));
        EXPECT_TRUE(waitFor([&] { return QFile::exists(m_dir.filePath(u"pipewire-0"_s)); }, 10s));
        return daemon;
    }

    // Records the null sink's monitor, wired as a session manager would wire it.
    std::unique_ptr<test::ChildProcess> startRecording() {
        auto recorder = std::make_unique<test::ChildProcess>(
            std::vector<std::string>{"pw-record", "-P", recorderPorts, path("call.wav")},
            path("pw-record.log"));
        for (const char* channel : {"FL", "FR"}) {
            const QStringList ports{u"null-sink:monitor_"_s + QLatin1String(channel),
                                    u"pw-record:input_"_s + QLatin1String(channel)};
            const auto linked = [&ports] {
                QProcess link;
                link.setStandardOutputFile(QProcess::nullDevice());
                link.setStandardErrorFile(QProcess::nullDevice());
                link.start(u"pw-link"_s, ports);
                return link.waitForFinished() && link.exitCode() == 0;
            };
            EXPECT_TRUE(waitFor(linked, 10s)) << channel;
        }
        return recorder;
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_savedRuntime;
};

TEST_F(Calls, NothingIsGoingOnWithoutADaemonAndNothingWaitsForOne) {
    const QDeadlineTimer quick(1s);
    const CallWatcher watcher;
    EXPECT_FALSE(watcher.inCall());
    EXPECT_FALSE(quick.hasExpired());
}

TEST_F(Calls, ARecordingIsACallUntilItStopsOrTheDaemonGoes) {
    for (const bool daemonGoes : {false, true}) {
        auto daemon = startDaemon();
        const CallWatcher watcher;
        auto recorder = startRecording();
        EXPECT_TRUE(waitFor([&] { return watcher.inCall(); }, 10s)) << daemonGoes;
        (daemonGoes ? daemon : recorder).reset();
        EXPECT_TRUE(waitFor([&] { return !watcher.inCall(); }, 10s)) << daemonGoes;
    }
}

} // namespace
} // namespace tessel
