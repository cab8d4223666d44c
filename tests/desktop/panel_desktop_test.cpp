#include "TestDesktop.h"
#include "core/Settings.h"
#include "core/SettingsJson.h"

#include <QFile>

#include <nlohmann/json.hpp>

namespace tessel {
namespace {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// The built tessel, started as a user would, under a panel on the test desktop.
class PanelDesktopTest : public test::DesktopTest {
protected:
    // Waits for the paper over the area to finish changing; the picture it came to rest on.
    QImage settled(QRect rect) const {
        QImage last;
        waitFor([&] { return std::exchange(last, desktop.screenshot(rect)) == last; });
        return last;
    }

    // A white window; the area inside it that paper shows over.
    QRect openWhiteWindow() {
        const QRect paper(140, 140, 200, 200);
        test::WindowSpec white;
        white.geometry = paper.adjusted(-40, -40, 40, 40);
        white.wmInstance = "white";
        white.wmClass = "White";
        desktop.openWindow(white);
        return paper;
    }

    std::unique_ptr<test::ChildProcess> panel;
};

// A paper made in the Studio and exported, imported here and chosen as the Day paper, shows
// on screen as itself, not as the Kozo an unknown paper would fall back to.
TEST_F(PanelDesktopTest, AnImportedPaperChosenAsTheDayPaperShowsOnScreen) {
    panel = desktop.startPanel();
    const QRect paper = openWhiteWindow();
    test::TesselProcess tessel;
    const QString document = tessel.config() + u"/Woven.tessel"_s;
    QFile file(document);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"id":"custom","name":"Woven","recipe":{"cloud":0.1,"grain":0.2,"tooth":0,)"
               R"("toothSize":24,"fibres":0,"fibreDensity":0,"fibreLength":60,"fibreWidth":0.8,)"
               R"("flecks":0,"pattern":"linen","patternAmount":1,"warmth":0,"seed":424242}})");
    file.close();
    QString id;
    ASSERT_EQ(tessel.command({u"import"_s, document}, &id), 0);
    ASSERT_TRUE(id.startsWith(u"custom-")) << id.toStdString();
    ASSERT_EQ(tessel.command(
                  {u"settings"_s, u"set"_s, u"day"_s, uR"({"paper":"%1","gsm":300})"_s.arg(id)}),
              0);
    ASSERT_EQ(tessel.command({u"settings"_s, u"set"_s, u"onboarded"_s, u"true"_s}), 0);

    tessel.start();
    ASSERT_TRUE(waitFor([&] { return !desktop.isPlainWhite(paper); }, 60s)) << "paper did not show";
    const QImage woven = settled(paper);
    ASSERT_TRUE(waitFor([&] { return tessel.command({u"status"_s}) == 0; }));
    ASSERT_EQ(tessel.command({u"paper"_s, u"kozo"_s}), 0);
    EXPECT_TRUE(waitFor(
        [&] { return desktop.screenshot(paper) != woven && !desktop.isPlainWhite(paper); }, 60s))
        << "the imported paper looked like Kozo";
}

} // namespace
} // namespace tessel
