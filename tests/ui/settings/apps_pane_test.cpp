#include "ui/UiTest.h"
#include "ui/settings/AppChooser.h"
#include "ui/settings/AppRow.h"
#include "ui/settings/AppsPane.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace tessel {
namespace {

class AppsPaneTest : public PaneTest {
protected:
    static QStringList shownApps(const QWidget& list) {
        QStringList ids;
        for (const AppRow* row : list.findChildren<AppRow*>()) {
            if (!row->isHidden()) {
                ids << row->appId();
            }
        }
        return ids;
    }

    // What the section's running-app menu offers as it opens; picks `choice` from it.
    static QStringList pickRunningApp(const QWidget& list, const QString& choice) {
        QMenu* menu = named<QPushButton>(list, u"Add Running App"_s)->menu();
        Q_EMIT menu->aboutToShow();
        QStringList offered;
        for (QAction* action : menu->actions()) {
            offered << action->text() + (action->isEnabled() ? "" : " (listed)");
            if (action->text() == choice) {
                action->trigger();
            }
        }
        return offered;
    }
};

TEST_F(AppsPaneTest, ShowPaperSwitchesListsAndKeepsTheHiddenOneStored) {
    store->updateSettings([](Settings& s) { s.onlyApps = {u"org.gimp.GIMP"_s}; });
    AppsPane& pane = show<AppsPane>();
    FormSection* excluded = section(pane, u"Paper steps aside for"_s);
    FormSection* only = section(pane, u"Paper shows only in"_s);
    ASSERT_TRUE(excluded && only);
    EXPECT_TRUE(excluded->isVisibleTo(&pane));
    EXPECT_FALSE(only->isVisibleTo(&pane));

    QTest::mouseClick(named(pane, u"Only in listed apps"_s), Qt::LeftButton);
    EXPECT_FALSE(excluded->isVisibleTo(&pane));
    EXPECT_TRUE(only->isVisibleTo(&pane));
    EXPECT_EQ(shownApps(*only), QStringList{"org.gimp.GIMP"});
    EXPECT_EQ(store->settings().excludedApps, Settings::defaultExcludedApps());
}

TEST_F(AppsPaneTest, InstalledAppsComeFirstAndMissingOnesFoldAwayYetCanBeRemoved) {
    platform.setInstalledApps({{"org.gimp.GIMP", "GIMP", "org.gimp.GIMP"}});
    store->updateSettings([](Settings& s) {
        s.excludedApps = {"com.example.Gone", "org.gimp.GIMP", "com.example.Lost"};
    });
    AppsPane& pane = show<AppsPane>();
    const auto rows = pane.findChildren<AppRow*>();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_TRUE(visibleTexts(*rows[0]).contains(u"GIMP"));
    EXPECT_FALSE(visibleTexts(*rows[0]).contains(u"Not installed"));
    EXPECT_FALSE(rows[1]->isVisible());
    auto* fold = named(pane, u"2 more not installed"_s);
    ASSERT_NE(fold, nullptr);

    QTest::mouseClick(fold, Qt::LeftButton);
    ASSERT_TRUE(rows[1]->isVisible());
    EXPECT_EQ(visibleTexts(*rows[1]), QStringList({"com.example.Gone", "Not installed"}));
    QTest::mouseClick(named(*rows[1], u"Remove"_s), Qt::LeftButton);
    const QStringList kept{"org.gimp.GIMP", "com.example.Lost"};
    EXPECT_EQ(store->settings().excludedApps, kept);
    EXPECT_EQ(shownApps(*section(pane, u"Paper steps aside for"_s)), kept);
    EXPECT_TRUE(named(pane, u"1 more not installed"_s)->isChecked());
}

TEST_F(AppsPaneTest, RunningAppsAreOfferedOnceWithoutTesselAndRestoreDefaultsRefills) {
    store->updateSettings([](Settings& s) { s.excludedApps.clear(); });
    platform.setRunningApps({{Platform::ownAppId(), 10, "Tessel"},
                             {"org.mozilla.firefox", 11, "Firefox"},
                             {"org.mozilla.firefox", 12, "Firefox"},
                             {std::nullopt, 13, "xterm"},
                             {"dev.zed.Zed", 14, "Zed"},
                             {"org.gnome.Calculator", 15, "Calculator"}});
    AppsPane& pane = show<AppsPane>();
    FormSection* excluded = section(pane, u"Paper steps aside for"_s);

    EXPECT_EQ(pickRunningApp(*excluded, u"Firefox"_s),
              QStringList({"Calculator", "Firefox", "Zed"}));
    EXPECT_EQ(pickRunningApp(*excluded, u"Zed"_s),
              QStringList({"Calculator", "Firefox (listed)", "Zed"}));
    EXPECT_EQ(store->settings().excludedApps, QStringList({"org.mozilla.firefox", "dev.zed.Zed"}));

    QTest::mouseClick(named(*excluded, u"Restore Defaults"_s), Qt::LeftButton);
    EXPECT_EQ(store->settings().excludedApps, Settings::defaultExcludedApps());
}

TEST_F(AppsPaneTest, PaperPerAppAddsWithKozoAndStoresThePickedPaper) {
    platform.setInstalledApps(
        {{"org.gimp.GIMP", "GIMP", ""}, {"org.inkscape.Inkscape", "Inkscape", ""}});
    platform.setRunningApps({{"dev.zed.Zed", 14, "Zed"}});
    store->updateSettings([](Settings& s) { s.appPapers = {{"org.gimp.GIMP", "no-such-paper"}}; });
    AppsPane& pane = show<AppsPane>();
    FormSection* papered = section(pane, u"Paper per app"_s);
    auto* gimp = named<QComboBox>(*papered, u"Paper for org.gimp.GIMP"_s);
    ASSERT_NE(gimp, nullptr);
    EXPECT_EQ(gimp->currentText(), Paper::find("kozo", {}).name);

    pickRunningApp(*papered, u"Zed"_s);
    QTest::mouseClick(named(*papered, u"Choose App..."_s), Qt::LeftButton);
    auto* chooser = pane.findChild<AppChooser*>();
    ASSERT_NE(chooser, nullptr);
    QTest::keyClicks(chooser->findChild<QLineEdit*>(), u"inksc"_s);
    QTest::mouseClick(named(*chooser, u"Add"_s), Qt::LeftButton);
    EXPECT_EQ(store->settings().appPapers,
              (QMap<QString, QString>{{"org.gimp.GIMP", "no-such-paper"},
                                      {"dev.zed.Zed", "kozo"},
                                      {"org.inkscape.Inkscape", "kozo"}}));

    auto* zed = named<QComboBox>(*papered, u"Paper for dev.zed.Zed"_s);
    ASSERT_NE(zed, nullptr);
    QTest::keyClick(zed, Qt::Key_Down);
    EXPECT_EQ(store->settings().appPapers.value("dev.zed.Zed"), Paper::builtIn()[1].id);
}

} // namespace
} // namespace tessel
