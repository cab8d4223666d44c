#include "TestDesktop.h"
#include "overlay/SheetPainter.h"
#include "paper/HeightField.h"
#include "paper/Paper.h"
#include "paper/TileShading.h"

#include <QPainter>
#include <QTemporaryDir>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using namespace std::chrono_literals;
using test::isPaperOverWhite;
using test::isWhite;

const QPoint overWindow(300, 300);
constexpr auto paperTimeout = 60s;
constexpr auto changeTimeout = 30s;
// Darker than any paper over white: a veil over the page.
constexpr int veiled = 200;

// The built tessel on the test desktop, over plain client windows.
class OverlayOnDesktop : public test::DesktopTest {
protected:
    QColor pixel(QPoint at) const { return desktop.pixel(at); }

    // Starts Tessel with these settings; with a panel to sit in, it opens no window of its own.
    test::TesselProcess& run(const QByteArray& settings, bool withPanel = false) {
        if (withPanel) {
            panel = desktop.startPanel();
        }
        tessel = std::make_unique<test::TesselProcess>(settings);
        tessel->start();
        return *tessel;
    }

    bool waitForPaper(QPoint at) {
        return waitFor([&] { return isPaperOverWhite(pixel(at)); }, paperTimeout);
    }

    std::unique_ptr<test::ChildProcess> panel;
    std::unique_ptr<test::TesselProcess> tessel;
};

// The window the pointer is over, as the X server sees it: input shapes decide.
QString windowUnderPointer(QPoint at) {
    return test::xdotool({u"mousemove"_s, QString::number(at.x()), QString::number(at.y()),
                          u"getmouselocation"_s, u"--shell"_s})
        .value_or(QString())
        .section(u"WINDOW="_s, 1)
        .section(u'\n', 0, 0);
}

// Whether `window` is the client or the window manager's frame around it.
bool isClientOrItsFrame(const QString& window, uint32_t client) {
    return window.toUInt() == client ||
           test::runTool(u"xwininfo"_s, {u"-id"_s, window, u"-children"_s})
               .value_or(QByteArray())
               .contains(u"0x%1"_s.arg(client, 0, 16).toLatin1());
}

uint32_t focusedWindow() {
    return test::xdotool({u"getwindowfocus"_s}).value_or(QString()).toUInt();
}

TEST_F(OverlayOnDesktop, PaperBlendsOverWindowsLetsClicksThroughAndNeedsTheCompositor) {
    const uint32_t client = desktop.openWindow({.geometry = {100, 100, 800, 600}});
    // The compositor may not have drawn the window yet; grey root showing through is no paper.
    ASSERT_TRUE(waitFor([&] { return isWhite(pixel(overWindow)); }, 10s));

    run(test::paperOn);
    ASSERT_TRUE(waitForPaper(overWindow)) << "pixel " << pixel(overWindow).name().toStdString();
    EXPECT_TRUE(isClientOrItsFrame(windowUnderPointer(overWindow), client));

    // A window mapped and raised later still lies under the paper.
    desktop.activate(desktop.openWindow({.geometry = {1000, 500, 800, 500}}));
    EXPECT_TRUE(waitForPaper(QPoint(1500, 800)));

    desktop.stopCompositor();
    EXPECT_TRUE(waitFor([&] { return isWhite(pixel(overWindow)); }, changeTimeout));
    desktop.startCompositor();
    EXPECT_TRUE(waitForPaper(overWindow));
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
    const QRect screen = test::TestDesktop::screen;
    desktop.openWindow({.geometry = screen, .overrideRedirect = true});
    const Recipe kozo = Paper::find(u"kozo"_s, {}).recipe;
    QImage expected(screen.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter(&expected).drawImage(
        0, 0,
        renderSheet(screen.size(), 1,
                    shadeTile(heightField(kozo, 1024), 1024, false, 300, kozo.warmth), {}));

    run(test::paperOn, true);
    // Across a corner where four cells meet.
    const QRect area(924, 0, 200, 120);
    EXPECT_TRUE(waitFor(
        [&] { return largestDifference(desktop.screenshot(area), expected.copy(area)) <= 1; },
        paperTimeout))
        << largestDifference(desktop.screenshot(area), expected.copy(area));
}

// The user's own picture hangs in its frame above the paper, takes the keys from the window
// being read and gives them back at a key press.
TEST_F(OverlayOnDesktop, ArtOnRequestHangsTheUsersPictureOverThePaperUntilAKeyIsPressed) {
    const QColor green(40, 150, 90);
    QTemporaryDir folder;
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(green);
    ASSERT_TRUE(picture.save(folder.filePath(u"meadow.png"_s)));
    const uint32_t reading =
        desktop.openWindow({.geometry = {100, 100, 800, 600}, .wmClass = "Reader", .pid = 6100});
    run(uR"({"onboarded": true, "day": {"paper": "kozo", "gsm": 300}, "art": {"enabled": false,
            "idleMinutes": 5, "collections": ["mine"], "folder": "%1"}})"_s.arg(folder.path())
            .toUtf8(),
        true);
    ASSERT_TRUE(waitForPaper(overWindow));
    desktop.activate(reading);
    // Paper may show before Tessel answers commands.
    ASSERT_TRUE(waitFor([&] { return tessel->command({u"art"_s}).has_value(); }, changeTimeout));
    // The picture's middle, inside mat and frame, on a 1920 x 1080 screen.
    const QPoint middle(960, 480);
    EXPECT_TRUE(waitFor([&] { return pixel(middle).rgb() == green.rgb(); }, changeTimeout))
        << pixel(middle).name().toStdString();
    EXPECT_NE(pixel(QPoint(4, 4)).rgb(), green.rgb()) << "the wall around it";
    ASSERT_TRUE(waitFor([&] { return focusedWindow() != reading && focusedWindow() != 0; }, 10s));

    test::xdotool({u"key"_s, u"space"_s});
    EXPECT_TRUE(waitForPaper(overWindow));
    EXPECT_TRUE(waitFor([&] { return focusedWindow() == reading; }, 10s));
}

TEST_F(OverlayOnDesktop, ADarkScreenTakesTheNightPaperAndKeepsIt) {
    desktop.openWindow({.geometry = {0, 0, 1880, 1000}, .colour = Qt::black});
    run(R"({"onboarded": true, "dayNight": "screen"})");
    const auto showsNight = [&] {
        return tessel->command({u"status"_s}).value_or(QString()).contains(u" night"_s);
    };
    ASSERT_TRUE(waitFor(showsNight, changeTimeout));
    // Two more sampling passes with the night paper showing on it leave the judgement alone.
    EXPECT_FALSE(waitFor([&] { return !showsNight(); }, 7s));
}

// A veil darkens the page but for a clear part: the band at the pointer, the active window.
TEST_F(OverlayOnDesktop, RulerAndFocusSheetKeepThePartBeingReadClear) {
    const struct {
        const char* settings;
        QPoint clear;
        QPoint veil;
    } veils[] = {
        {R"({"onboarded": true, "ruler": true, "rulerHeight": 60})", {400, 300}, {400, 500}},
        {R"({"onboarded": true, "focusSheet": true, "focusStrength": 0.5})",
         {400, 400},
         {1300, 400}},
    };
    for (const auto& [settings, clear, veil] : veils) {
        SCOPED_TRACE(settings);
        desktop.openWindow({.geometry = {1000, 100, 700, 600}, .wmClass = "Other", .pid = 5001});
        const uint32_t reading = desktop.openWindow(
            {.geometry = {100, 100, 700, 600}, .wmClass = "Reader", .pid = 5000});
        run(settings, true);
        desktop.activate(reading);
        windowUnderPointer(clear);
        EXPECT_TRUE(
            waitFor([&] { return isPaperOverWhite(pixel(clear)) && pixel(veil).green() < veiled; },
                    paperTimeout))
            << pixel(clear).name().toStdString() << " " << pixel(veil).name().toStdString();
        tessel.reset();
        desktop.closeAllWindows();
    }
}

} // namespace
} // namespace tessel
