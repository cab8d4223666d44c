#include "ChildProcess.h"
#include "DesktopTest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace tessel {
namespace {

using namespace std::chrono_literals;
using test::WindowSpec;

const QPoint overWindow(300, 300);

bool isWhite(const QColor& c) {
    return c.red() == 255 && c.green() == 255 && c.blue() == 255;
}

// Light paper over white: a little darker than white, never the tile's own dark colour.
bool isPaperOverWhite(const QColor& c) {
    return !isWhite(c) && c.red() > 180 && c.green() > 180 && c.blue() > 180;
}

// The real tessel program on the test desktop, with paper switched on in its own settings.
class RunningTessel {
public:
    explicit RunningTessel(const QString& settings) {
        QFile file(m_config.filePath(QStringLiteral("defaults.json")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral(R"({"settings": %1})").arg(settings).toUtf8());
        file.close();
        m_process = std::make_unique<test::ChildProcess>(
            std::vector<std::string>{TESSEL_BINARY},
            m_config.filePath(QStringLiteral("tessel.log")).toStdString(),
            std::vector<std::string>{"TESSEL_CONFIG_DIR=" + m_config.path().toStdString(),
                                     "TESSEL_REDUCE_MOTION=1"});
    }

    bool isRunning() { return m_process->isRunning(); }

private:
    QTemporaryDir m_config;
    std::unique_ptr<test::ChildProcess> m_process;
};

constexpr const char* paperOn = R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300}})";

class OverlayOnDesktop : public test::DesktopTest {
protected:
    QColor pixel(QPoint at) const {
        return desktop->screenshot(QRect(at, QSize(1, 1))).pixelColor(0, 0);
    }

    bool waitForPaper(QPoint at) {
        return test::waitUntil([&] { return isPaperOverWhite(pixel(at)); }, 60s);
    }
};

// The window the pointer is over, as the X server sees it: input shapes decide.
QString windowUnderPointer(QPoint at) {
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                   QStringLiteral("getmouselocation"), QStringLiteral("--shell")});
    xdotool.waitForFinished(10000);
    for (const QByteArray& line : xdotool.readAllStandardOutput().split('\n')) {
        if (line.startsWith("WINDOW=")) {
            return QString::fromLatin1(line.mid(7));
        }
    }
    return {};
}

// Whether `window` is the client or the window manager's frame around it.
bool isClientOrItsFrame(const QString& window, uint32_t client) {
    if (window.toUInt() == client) {
        return true;
    }
    QProcess xwininfo;
    xwininfo.start(QStringLiteral("xwininfo"),
                   {QStringLiteral("-id"), window, QStringLiteral("-children")});
    xwininfo.waitForFinished(10000);
    return xwininfo.readAllStandardOutput().contains(
        QStringLiteral("0x%1").arg(client, 0, 16).toLatin1());
}

TEST_F(OverlayOnDesktop, PaperBlendsOverWindowsAndLetsClicksThrough) {
    WindowSpec white;
    white.geometry = QRect(100, 100, 800, 600);
    const uint32_t client = desktop->openWindow(white);
    ASSERT_TRUE(isWhite(pixel(overWindow)));

    RunningTessel tessel(QString::fromLatin1(paperOn));
    ASSERT_TRUE(waitForPaper(overWindow)) << "pixel " << pixel(overWindow).name().toStdString();
    EXPECT_TRUE(isClientOrItsFrame(windowUnderPointer(overWindow), client));

    // A window mapped and raised later still lies under the paper.
    WindowSpec later;
    later.geometry = QRect(1000, 500, 800, 500);
    desktop->activate(desktop->openWindow(later));
    EXPECT_TRUE(waitForPaper(QPoint(1500, 800)));
    EXPECT_TRUE(tessel.isRunning());
}

TEST_F(OverlayOnDesktop, PaperLeavesWithTheCompositorAndReturnsWithIt) {
    WindowSpec white;
    white.geometry = QRect(100, 100, 800, 600);
    desktop->openWindow(white);
    RunningTessel tessel(QString::fromLatin1(paperOn));
    ASSERT_TRUE(waitForPaper(overWindow));

    desktop->stopCompositor();
    EXPECT_TRUE(test::waitUntil([&] { return isWhite(pixel(overWindow)); }, 30s));
    desktop->startCompositor();
    EXPECT_TRUE(waitForPaper(overWindow));
}

TEST_F(OverlayOnDesktop, NoPaperBeforeOnboarding) {
    WindowSpec white;
    white.geometry = QRect(100, 100, 800, 600);
    desktop->openWindow(white);
    // The compositor may not have drawn the window yet; grey root showing through is no paper.
    ASSERT_TRUE(test::waitUntil([&] { return isWhite(pixel(overWindow)); }));
    RunningTessel tessel(QStringLiteral(R"({"onboarded": false})"));
    EXPECT_FALSE(test::waitUntil([&] { return !isWhite(pixel(overWindow)); }, 3s));
    EXPECT_TRUE(tessel.isRunning());
}

int grey(const QColor& c) {
    return c.green();
}

// What the running Tessel says it shows, from `tessel status`.
QString statusOfRunningTessel() {
    QProcess status;
    status.start(QStringLiteral(TESSEL_BINARY), {QStringLiteral("status")});
    status.waitForFinished(10000);
    return QString::fromUtf8(status.readAllStandardOutput());
}

QString xdotool(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), args);
    process.waitForFinished(10000);
    return QString::fromLatin1(process.readAllStandardOutput()).trimmed();
}

TEST_F(OverlayOnDesktop, ArtOnRequestCoversTheScreenUntilAKeyIsPressed) {
    WindowSpec white;
    white.geometry = QRect(100, 100, 800, 600);
    white.pid = 6100;
    white.wmClass = "Reader";
    const uint32_t reading = desktop->openWindow(white);
    // With a panel to sit in, Tessel opens no window of its own at launch.
    QTemporaryDir logs;
    test::ChildProcess panel({"trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
                              "--width", "120", "--height", "32", "--SetDockType", "true"},
                             logs.filePath(QStringLiteral("trayer.log")).toStdString());
    RunningTessel tessel(QStringLiteral(R"({"onboarded": true, "enabled": false})"));
    ASSERT_TRUE(test::waitUntil([] { return !statusOfRunningTessel().isEmpty(); }, 30s));
    desktop->activate(reading);
    ASSERT_EQ(QProcess::execute(QStringLiteral(TESSEL_BINARY), {QStringLiteral("art")}), 0);
    ASSERT_TRUE(test::waitUntil([&] { return !isWhite(pixel(overWindow)); }, 30s));
    desktop->screenshot().save(QDir::temp().filePath(QStringLiteral("tessel-art.png")));
    const auto focused = [] { return xdotool({QStringLiteral("getwindowfocus")}).toUInt(); };
    ASSERT_TRUE(test::waitUntil([&] { return focused() != reading && focused() != 0; }, 10s));

    xdotool({QStringLiteral("key"), QStringLiteral("space")});
    EXPECT_TRUE(test::waitUntil([&] { return isWhite(pixel(overWindow)); }, 30s));
    EXPECT_TRUE(test::waitUntil([&] { return focused() == reading; }, 10s));
}

TEST_F(OverlayOnDesktop, ADarkScreenTakesTheNightPaperAndKeepsIt) {
    WindowSpec dark;
    dark.geometry = QRect(0, 0, 1880, 1000);
    dark.colour = Qt::black;
    desktop->openWindow(dark);
    RunningTessel tessel(QStringLiteral(R"({"onboarded": true, "dayNight": "screen"})"));
    const auto showsNight = [] {
        return statusOfRunningTessel().contains(QStringLiteral(" night"));
    };
    ASSERT_TRUE(test::waitUntil(showsNight, 30s)) << statusOfRunningTessel().toStdString();
    // Two more sampling passes with the night paper showing on it leave the judgement alone.
    EXPECT_FALSE(test::waitUntil([&] { return !showsNight(); }, 7s));
}

TEST_F(OverlayOnDesktop, RulerKeepsABandClearAtThePointer) {
    WindowSpec white;
    white.geometry = QRect(100, 100, 1200, 800);
    desktop->openWindow(white);
    // With a panel to sit in, Tessel opens no Settings window over the page at launch.
    QTemporaryDir logs;
    test::ChildProcess panel({"trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
                              "--width", "120", "--height", "32", "--SetDockType", "true"},
                             logs.filePath(QStringLiteral("trayer.log")).toStdString());
    RunningTessel tessel(
        QStringLiteral(R"({"onboarded": true, "ruler": true, "rulerHeight": 60})"));
    windowUnderPointer(QPoint(600, 500));
    const QPoint inBand(600, 500);
    const QPoint below(600, 700);
    EXPECT_TRUE(test::waitUntil(
        [&] { return isPaperOverWhite(pixel(inBand)) && grey(pixel(below)) < 200; }, 60s))
        << pixel(inBand).name().toStdString() << " " << pixel(below).name().toStdString();
    desktop->screenshot().save(QDir::temp().filePath(QStringLiteral("tessel-ruler.png")));
}

TEST_F(OverlayOnDesktop, FocusSheetVeilsAllButTheActiveWindow) {
    WindowSpec reading;
    reading.geometry = QRect(100, 100, 700, 600);
    reading.pid = 5000;
    reading.wmClass = "Reader";
    WindowSpec other = reading;
    other.geometry = QRect(1000, 100, 700, 600);
    other.pid = 5001;
    other.wmClass = "Other";
    desktop->openWindow(other);
    const uint32_t readingWindow = desktop->openWindow(reading);
    RunningTessel tessel(
        QStringLiteral(R"({"onboarded": true, "focusSheet": true, "focusStrength": 0.5})"));
    desktop->activate(readingWindow);
    const QPoint inFocus(400, 400);
    const QPoint elsewhere(1300, 400);
    EXPECT_TRUE(test::waitUntil(
        [&] { return isPaperOverWhite(pixel(inFocus)) && grey(pixel(elsewhere)) < 200; }, 60s))
        << pixel(inFocus).name().toStdString() << " " << pixel(elsewhere).name().toStdString();
    desktop->screenshot().save(QDir::temp().filePath(QStringLiteral("tessel-focus.png")));
}

} // namespace
} // namespace tessel
