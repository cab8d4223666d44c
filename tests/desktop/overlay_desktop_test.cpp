#include "TestDesktop.h"
#include "overlay/SheetPainter.h"
#include "paper/HeightField.h"
#include "paper/Paper.h"
#include "paper/TileShading.h"

#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

namespace tessel {

using namespace Qt::StringLiterals;
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

constexpr QByteArrayView paperOn = R"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300}})";

class OverlayOnDesktop : public test::DesktopTest {
protected:
    QColor pixel(QPoint at) const { return desktop.pixel(at); }

    // Starts Tessel with these settings.
    test::TesselProcess& run(QByteArrayView settings) {
        tessel = std::make_unique<test::TesselProcess>(settings.toByteArray());
        tessel->start();
        return *tessel;
    }

    std::unique_ptr<test::TesselProcess> tessel;
    std::unique_ptr<test::ChildProcess> panel;
    bool waitForPaper(QPoint at) {
        return waitFor([&] { return isPaperOverWhite(pixel(at)); }, 60s);
    }
};

QString xdotool(const QStringList& args) {
    return test::xdotool(args).value_or(QString());
}

// The window the pointer is over, as the X server sees it: input shapes decide.
QString windowUnderPointer(QPoint at) {
    const QString location =
        xdotool({u"mousemove"_s, QString::number(at.x()), QString::number(at.y()),
                 u"getmouselocation"_s, u"--shell"_s});
    return location.section(u"WINDOW="_s, 1).section(u'\n', 0, 0);
}

// Whether `window` is the client or the window manager's frame around it.
bool isClientOrItsFrame(const QString& window, uint32_t client) {
    if (window.toUInt() == client) {
        return true;
    }
    QProcess xwininfo;
    xwininfo.start(u"xwininfo"_s, {u"-id"_s, window, u"-children"_s});
    xwininfo.waitForFinished(10000);
    return xwininfo.readAllStandardOutput().contains(u"0x%1"_s.arg(client, 0, 16).toLatin1());
}

TEST_F(OverlayOnDesktop, PaperBlendsOverWindowsAndLetsClicksThrough) {
    WindowSpec white;
    white.geometry = QRect(100, 100, 800, 600);
    const uint32_t client = desktop.openWindow(white);
    // The compositor may not have drawn the window yet; grey root showing through is no paper.
    ASSERT_TRUE(waitFor([&] { return isWhite(pixel(overWindow)); }, 10s));

    run(paperOn);
    ASSERT_TRUE(waitForPaper(overWindow)) << "pixel " << pixel(overWindow).name().toStdString();
    EXPECT_TRUE(isClientOrItsFrame(windowUnderPointer(overWindow), client));

    // A window mapped and raised later still lies under the paper.
    WindowSpec later;
    later.geometry = QRect(1000, 500, 800, 500);
    desktop.activate(desktop.openWindow(later));
    EXPECT_TRUE(waitForPaper(QPoint(1500, 800)));
    EXPECT_TRUE(tessel->isRunning());
}

// The largest difference of any channel of any pixel; the compositor may round apart from Qt.
int largestDifference(const QImage& a, const QImage& b) {
    int largest = a.size() == b.size() ? 0 : 255;
    for (int y = 0; largest < 255 && y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

// Whatever Tessel keeps in memory, the screen shows the tile repeated from the lower-left corner
// over what lies beneath, as a picture rendered apart from it would.
TEST_F(OverlayOnDesktop, PaperShowsWhatAReferenceRenderShows) {
    const QSize screen(1920, 1080);
    WindowSpec white;
    white.geometry = QRect(QPoint(0, 0), screen);
    white.overrideRedirect = true;
    desktop.openWindow(white);
    const Recipe kozo = Paper::find(u"kozo"_s, {}).recipe;
    QImage expected(screen, QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter(&expected).drawImage(
        0, 0,
        renderSheet(screen, 1, shadeTile(heightField(kozo, 1024), 1024, false, 300, kozo.warmth),
                    {}));

    // With a panel to sit in, Tessel opens no window over the paper at launch.
    panel = desktop.startPanel();
    run(paperOn);
    // Across a corner where four cells meet.
    const QRect area(924, 0, 200, 120);
    EXPECT_TRUE(waitFor(
        [&] { return largestDifference(desktop.screenshot(area), expected.copy(area)) <= 1; }, 60s))
        << largestDifference(desktop.screenshot(area), expected.copy(area));
}

TEST_F(OverlayOnDesktop, PaperLeavesWithTheCompositorAndReturnsWithIt) {
    WindowSpec white;
    white.geometry = QRect(100, 100, 800, 600);
    desktop.openWindow(white);
    run(paperOn);
    ASSERT_TRUE(waitForPaper(overWindow));

    desktop.stopCompositor();
    EXPECT_TRUE(waitFor([&] { return isWhite(pixel(overWindow)); }, 30s));
    desktop.startCompositor();
    EXPECT_TRUE(waitForPaper(overWindow));
}

int grey(const QColor& c) {
    return c.green();
}

// What the running Tessel says it shows, from `tessel status`.
QString statusOf(const test::TesselProcess& tessel) {
    QString status;
    tessel.command({u"status"_s}, &status);
    return status;
}

TEST_F(OverlayOnDesktop, ArtOnRequestCoversTheScreenUntilAKeyIsPressed) {
    WindowSpec white;
    white.geometry = QRect(100, 100, 800, 600);
    white.pid = 6100;
    white.wmClass = "Reader";
    const uint32_t reading = desktop.openWindow(white);
    // With a panel to sit in, Tessel opens no window of its own at launch.
    panel = desktop.startPanel();
    run(R"({"onboarded": true, "enabled": false})");
    ASSERT_TRUE(waitFor([&] { return !statusOf(*tessel).isEmpty(); }, 30s));
    desktop.activate(reading);
    ASSERT_EQ(tessel->command({u"art"_s}), 0);
    ASSERT_TRUE(waitFor([&] { return !isWhite(pixel(overWindow)); }, 30s));
    const auto focused = [] { return xdotool({u"getwindowfocus"_s}).toUInt(); };
    ASSERT_TRUE(waitFor([&] { return focused() != reading && focused() != 0; }, 10s));

    xdotool({u"key"_s, u"space"_s});
    EXPECT_TRUE(waitFor([&] { return isWhite(pixel(overWindow)); }, 30s));
    EXPECT_TRUE(waitFor([&] { return focused() == reading; }, 10s));
}

TEST_F(OverlayOnDesktop, ArtOnRequestHangsTheUsersOwnPictureInTheFrame) {
    const QColor green(40, 150, 90);
    QTemporaryDir folder;
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(green);
    ASSERT_TRUE(picture.save(folder.filePath(u"meadow.png"_s)));
    panel = desktop.startPanel();
    run(QStringLiteral(R"({"onboarded": true, "enabled": false, "art": {"enabled": false,
                          "idleMinutes": 5, "collections": ["mine"], "folder": "%1"}})")
            .arg(folder.path())
            .toUtf8());
    ASSERT_TRUE(waitFor([&] { return !statusOf(*tessel).isEmpty(); }, 30s));
    ASSERT_EQ(tessel->command({u"art"_s}), 0);
    // The picture's middle, inside mat and frame, on a 1920 x 1080 screen.
    EXPECT_TRUE(waitFor([&] { return pixel(QPoint(960, 480)).rgb() == green.rgb(); }, 30s))
        << pixel(QPoint(960, 480)).name().toStdString();
    EXPECT_NE(pixel(QPoint(4, 4)).rgb(), green.rgb()) << "the wall around it";
}

TEST_F(OverlayOnDesktop, ADarkScreenTakesTheNightPaperAndKeepsIt) {
    WindowSpec dark;
    dark.geometry = QRect(0, 0, 1880, 1000);
    dark.colour = Qt::black;
    desktop.openWindow(dark);
    run(R"({"onboarded": true, "dayNight": "screen"})");
    const auto showsNight = [&] { return statusOf(*tessel).contains(u" night"_s); };
    ASSERT_TRUE(waitFor(showsNight, 30s)) << statusOf(*tessel).toStdString();
    // Two more sampling passes with the night paper showing on it leave the judgement alone.
    EXPECT_FALSE(waitFor([&] { return !showsNight(); }, 7s));
}

TEST_F(OverlayOnDesktop, RulerKeepsABandClearAtThePointer) {
    WindowSpec white;
    white.geometry = QRect(100, 100, 1200, 800);
    desktop.openWindow(white);
    // With a panel to sit in, Tessel opens no Settings window over the page at launch.
    panel = desktop.startPanel();
    run(R"({"onboarded": true, "ruler": true, "rulerHeight": 60})");
    windowUnderPointer(QPoint(600, 500));
    const QPoint inBand(600, 500);
    const QPoint below(600, 700);
    EXPECT_TRUE(
        waitFor([&] { return isPaperOverWhite(pixel(inBand)) && grey(pixel(below)) < 200; }, 60s))
        << pixel(inBand).name().toStdString() << " " << pixel(below).name().toStdString();
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
    desktop.openWindow(other);
    const uint32_t readingWindow = desktop.openWindow(reading);
    run(R"({"onboarded": true, "focusSheet": true, "focusStrength": 0.5})");
    desktop.activate(readingWindow);
    const QPoint inFocus(400, 400);
    const QPoint elsewhere(1300, 400);
    EXPECT_TRUE(waitFor(
        [&] { return isPaperOverWhite(pixel(inFocus)) && grey(pixel(elsewhere)) < 200; }, 60s))
        << pixel(inFocus).name().toStdString() << " " << pixel(elsewhere).name().toStdString();
}

} // namespace
} // namespace tessel
