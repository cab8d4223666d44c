#include "Files.h"
#include "TestDesktop.h"

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

using namespace std::chrono_literals;

constexpr auto appearTimeout = 30s;
constexpr auto paperShowsWithin = 60s;
constexpr int popoverWidth = 340;

// The built tessel as a user meets it: the first launch with its Welcome, the panel icon with
// its popover, and papers imported from the command line.
class UiDesktopTest : public test::DesktopTest {
protected:
    // A white window, beside where the Welcome sits; the area inside it that paper shows over.
    QRect openWhiteWindow() {
        const QRect paper(140, 140, 160, 160);
        desktop.openWindow({.geometry = paper.adjusted(-40, -40, 40, 40),
                            .wmInstance = "white",
                            .wmClass = "White"});
        return paper;
    }

    // The first window on screen with this name, other than `except`.
    static QString visibleWindow(const QString& name, const QString& except = {}) {
        const QStringList found =
            test::xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, u'^' + name + u'$'})
                .value_or(QString())
                .split(u'\n', Qt::SkipEmptyParts);
        for (const QString& window : found) {
            if (window != except) {
                return window;
            }
        }
        return {};
    }

    // A window's size as xdotool reports it; empty when it cannot.
    static QSize windowSize(const QString& window) {
        const QStringList size = test::xdotool({u"getwindowgeometry"_s, window})
                                     .value_or(QString())
                                     .section(u"Geometry: "_s, 1)
                                     .section(u'\n', 0, 0)
                                     .split(u'x');
        return size.size() == 2 ? QSize(size[0].toInt(), size[1].toInt()) : QSize();
    }

    // Waits for the paper over the area to finish changing; the picture it came to rest on.
    QImage settled(QRect area) const {
        QImage last;
        waitFor([&] { return std::exchange(last, desktop.screenshot(area)) == last; });
        return last;
    }

    test::TesselProcess tessel;
};

TEST_F(UiDesktopTest, AFirstLaunchShowsNoPaperUntilItIsLaidDown) {
    const QRect paper = openWhiteWindow();
    tessel.start();
    QString welcome;
    ASSERT_TRUE(
        waitFor([&] { return !(welcome = visibleWindow(u"Welcome to Tessel"_s)).isEmpty(); },
                appearTimeout))
        << "no Welcome window";
    EXPECT_TRUE(desktop.isPlainWhite(paper));

    ASSERT_TRUE(test::xdotool({u"windowactivate"_s, u"--sync"_s, welcome, u"key"_s, u"--window"_s,
                               welcome, u"Return"_s}));
    EXPECT_TRUE(waitFor([&] { return !desktop.isPlainWhite(paper); }, paperShowsWithin))
        << "paper did not show";
    const QString stored = tessel.command({u"settings"_s, u"show"_s}).value_or(QString());
    EXPECT_TRUE(stored.contains(u"\"onboarded\":true") && stored.contains(u"\"enabled\":true"))
        << stored.toStdString();
}

TEST_F(UiDesktopTest, ClickingThePanelIconOpensThePopover) {
    const auto panel = desktop.startPanel();
    ASSERT_TRUE(tessel.command({u"settings"_s, u"set"_s, u"onboarded"_s, u"true"_s}));
    tessel.start();
    // Until the popover opens, Tessel's only window on screen is the icon in the panel.
    QString icon;
    ASSERT_TRUE(waitFor(
        [&] {
            icon = test::xdotool({u"search"_s, u"--onlyvisible"_s, u"--class"_s, u"tessel"_s})
                       .value_or(QString())
                       .section(u'\n', 0, 0);
            return !icon.isEmpty();
        },
        appearTimeout))
        << "no icon in the panel";
    const QSize size = windowSize(icon);
    ASSERT_FALSE(size.isEmpty());

    // A click toggles the popover, so each click gets time to show it before the next; the
    // first may reach the icon before it is ready for clicks.
    QString popover;
    for (int attempt = 0; attempt < 3 && popover.isEmpty(); ++attempt) {
        test::xdotool({u"mousemove"_s, u"--window"_s, icon, QString::number(size.width() / 2),
                       QString::number(size.height() / 2), u"click"_s, u"1"_s});
        waitFor([&] { return !(popover = visibleWindow(u"Tessel"_s, icon)).isEmpty(); }, 15s);
    }
    ASSERT_FALSE(popover.isEmpty()) << "no popover after clicking the icon";
    EXPECT_EQ(windowSize(popover).width(), popoverWidth);

    test::xdotool({u"key"_s, u"Escape"_s});
    EXPECT_TRUE(waitFor([&] { return visibleWindow(u"Tessel"_s, icon).isEmpty(); }));
}

// A paper made in the Studio and exported, imported here and chosen as the Day paper, shows
// on screen as itself, not as the Kozo an unknown paper would fall back to.
TEST_F(UiDesktopTest, AnImportedPaperChosenAsTheDayPaperShowsOnScreen) {
    const auto panel = desktop.startPanel();
    const QRect paper = openWhiteWindow();
    const QString document = tessel.config() + u"/Woven.tessel"_s;
    ASSERT_TRUE(test::writeFile(
        document, R"({"id":"custom","name":"Woven","recipe":{"cloud":0.1,"grain":0.2,"tooth":0,)"
                  R"("toothSize":24,"fibres":0,"fibreDensity":0,"fibreLength":60,"fibreWidth":0.8,)"
                  R"("flecks":0,"pattern":"linen","patternAmount":1,"warmth":0,"seed":424242}})"));
    const QString id = tessel.command({u"import"_s, document}).value_or(QString());
    ASSERT_TRUE(id.startsWith(u"custom-")) << id.toStdString();
    ASSERT_TRUE(tessel.command(
        {u"settings"_s, u"set"_s, u"day"_s, uR"({"paper":"%1","gsm":300})"_s.arg(id)}));
    ASSERT_TRUE(tessel.command({u"settings"_s, u"set"_s, u"onboarded"_s, u"true"_s}));

    tessel.start();
    ASSERT_TRUE(waitFor([&] { return !desktop.isPlainWhite(paper); }, paperShowsWithin))
        << "paper did not show";
    const QImage woven = settled(paper);
    ASSERT_TRUE(waitFor([&] { return tessel.command({u"paper"_s, u"kozo"_s}).has_value(); }));
    EXPECT_TRUE(
        waitFor([&] { return desktop.screenshot(paper) != woven && !desktop.isPlainWhite(paper); },
                paperShowsWithin))
        << "the imported paper looked like Kozo";
}

} // namespace
} // namespace tessel
