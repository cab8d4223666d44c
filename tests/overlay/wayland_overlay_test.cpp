#include "ChildProcess.h"
#include "TestDesktop.h"
#include "TestSway.h"

#include <QColor>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tessel {
namespace {

using namespace std::chrono_literals;
using test::waitUntil;

const QPoint overWindow(600, 400);
constexpr auto paperTimeout = 60s;

bool isWhite(const QColor& c) {
    return c.isValid() && c.red() == 255 && c.green() == 255 && c.blue() == 255;
}

// Light paper over white: a little darker than white, never the tile's own dark colour.
bool isPaperOverWhite(const QColor& c) {
    return c.isValid() && !isWhite(c) && c.red() > 180 && c.green() > 180 && c.blue() > 180;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A full-screen native window in one colour; it logs the clicks it receives.
class SolidWindow {
public:
    SolidWindow(const test::TestSway& sway, const char* appId, const QString& log)
        : m_log(log) {
        std::vector<std::string> environment = sway.clientEnvironment();
        environment.emplace_back("ASAN_OPTIONS=detect_leaks=0");
        m_process = std::make_unique<test::ChildProcess>(
            std::vector<std::string>{TESSEL_SOLID_WINDOW, appId, "ffffff"}, log.toStdString(),
            environment);
    }

    bool isShown() const { return readFile(m_log).contains("ready\n"); }
    bool received(const QByteArray& line) const { return readFile(m_log).contains(line + '\n'); }

private:
    QString m_log;
    std::unique_ptr<test::ChildProcess> m_process;
};

// The real tessel program on the compositor, with paper switched on in its own settings.
class RunningTessel {
public:
    RunningTessel(const test::TestSway& sway, const QString& settings) {
        QFile file(m_config.filePath(QStringLiteral("defaults.json")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral(R"({"settings": %1})").arg(settings).toUtf8());
        file.close();
        std::vector<std::string> environment = sway.clientEnvironment();
        environment.push_back("TESSEL_CONFIG_DIR=" + m_config.path().toStdString());
        environment.emplace_back("TESSEL_REDUCE_MOTION=1");
        m_process = std::make_unique<test::ChildProcess>(
            std::vector<std::string>{TESSEL_BINARY},
            m_config.filePath(QStringLiteral("tessel.log")).toStdString(), environment);
    }

private:
    QTemporaryDir m_config;
    std::unique_ptr<test::ChildProcess> m_process;
};

class WaylandOverlay : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (test::TestSway::available()) {
            sway = std::make_unique<test::TestSway>();
            sway->exportEnvironment();
        }
    }
    static void TearDownTestSuite() { sway.reset(); }

    void SetUp() override {
        if (!sway) {
            GTEST_SKIP() << "sway, grim or dbus-daemon is not installed";
        }
    }

    std::unique_ptr<SolidWindow> openWindow(const char* appId) {
        auto window = std::make_unique<SolidWindow>(
            *sway, appId, sway->logPath(appId) + QString::number(++m_windows));
        EXPECT_TRUE(waitUntil([&] { return window->isShown(); })) << appId << " did not show";
        return window;
    }

    QColor pixel() const { return sway->pixel(overWindow); }

    static std::unique_ptr<test::TestSway> sway;

private:
    int m_windows = 0;
};

std::unique_ptr<test::TestSway> WaylandOverlay::sway;

constexpr const char* paperOn = R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300}})";

QString statusOfRunningTessel() {
    QProcess status;
    status.start(QStringLiteral(TESSEL_BINARY), {QStringLiteral("status")});
    status.waitForFinished(10000);
    return QString::fromUtf8(status.readAllStandardOutput());
}

TEST_F(WaylandOverlay, PaperBlendsOverANativeWindowAndLetsClicksThrough) {
    const auto page = openWindow("org.example.Page");
    ASSERT_TRUE(waitUntil([&] { return isWhite(pixel()); }));
    const RunningTessel tessel(*sway, QString::fromLatin1(paperOn));
    ASSERT_TRUE(waitUntil([&] { return isPaperOverWhite(pixel()); }, paperTimeout))
        << "pixel " << pixel().name().toStdString();
    EXPECT_TRUE(statusOfRunningTessel().endsWith(QStringLiteral("Platform: wayland\n")));

    const QString x = QString::number(overWindow.x());
    const QString y = QString::number(overWindow.y());
    ASSERT_TRUE(sway->command({QStringLiteral("seat"), QStringLiteral("seat0"),
                               QStringLiteral("cursor"), QStringLiteral("set"), x, y}));
    for (const char* action : {"press", "release"}) {
        ASSERT_TRUE(sway->command({QStringLiteral("seat"), QStringLiteral("seat0"),
                                   QStringLiteral("cursor"), QString::fromLatin1(action),
                                   QStringLiteral("button1")}));
    }
    EXPECT_TRUE(waitUntil([&] { return page->received(("click " + x + u' ' + y).toLatin1()); }));
}

TEST_F(WaylandOverlay, ExcludedAppInFrontHidesThePaper) {
    const auto page = openWindow("org.example.Page");
    const RunningTessel tessel(
        *sway, QStringLiteral(R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300},
                                  "excludedApps": ["org.example.Excluded"]})"));
    ASSERT_TRUE(waitUntil([&] { return isPaperOverWhite(pixel()); }, paperTimeout));

    auto excluded = openWindow("org.example.Excluded");
    EXPECT_TRUE(waitUntil([&] { return isWhite(pixel()); }, paperTimeout));
    excluded.reset();
    EXPECT_TRUE(waitUntil([&] { return isPaperOverWhite(pixel()); }, paperTimeout));
}

} // namespace
} // namespace tessel
