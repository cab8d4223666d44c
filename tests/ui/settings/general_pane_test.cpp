#include "ui/UiTest.h"
#include "ui/kit/Toggle.h"
#include "ui/settings/GeneralPane.h"

#include <QLabel>
#include <QPushButton>

namespace tessel {
namespace {

class GeneralPaneTest : public PaneTest {
protected:
    bool noteShown(const GeneralPane& pane) const {
        const QPushButton* allow = named<QPushButton>(pane, u"Allow"_s);
        return allow && allow->isVisibleTo(&pane);
    }
};

TEST_F(GeneralPaneTest, SwitchesWriteTheirSettingsAndFollowChangesMadeElsewhere) {
    GeneralPane& pane = show<GeneralPane>();
    Toggle* paper = named<Toggle>(pane, u"Paper on"_s);
    ASSERT_NE(paper, nullptr);
    EXPECT_TRUE(paper->isChecked());
    QTest::mouseClick(paper, Qt::LeftButton);
    EXPECT_FALSE(settings().enabled);

    edit([](Settings& s) { s.enabled = true; });
    EXPECT_TRUE(paper->isChecked());

    Toggle* battery = named<Toggle>(pane, u"Pause on battery"_s);
    QTest::mouseClick(battery, Qt::LeftButton);
    EXPECT_TRUE(settings().pauseOnBattery);
    Toggle* sounds = named<Toggle>(pane, u"Sounds"_s);
    QTest::mouseClick(sounds, Qt::LeftButton);
    EXPECT_FALSE(settings().sounds);
}

TEST_F(GeneralPaneTest, RowsComeInTheOrderTheyMatterDayToDay) {
    SettingsContext made = context();
    GeneralPane pane(made);
    pane.resize(640, 900);
    pane.show();
    QCoreApplication::processEvents();
    int above = -1;
    for (const char* label :
         {"Paper on", "Open at login", "Day and Night follow", "Pause on battery",
          "Hide paper from screenshots and recordings", "Sounds", "Show Welcome Again"}) {
        const QWidget* row = named<QWidget>(pane, QString::fromLatin1(label));
        if (!row) {
            row = named(pane, QString::fromLatin1(label));
        }
        ASSERT_NE(row, nullptr) << label;
        const int y = row->mapTo(&pane, QPoint()).y();
        EXPECT_GT(y, above) << label;
        above = y;
    }
}

TEST_F(GeneralPaneTest, OpenAtLoginAsksTheDesktop) {
    GeneralPane& pane = show<GeneralPane>();
    Toggle* login = named<Toggle>(pane, u"Open at login"_s);
    ASSERT_NE(login, nullptr);
    EXPECT_FALSE(login->isChecked());
    QTest::mouseClick(login, Qt::LeftButton);
    EXPECT_TRUE(platform.isLoginItem());

    GeneralPane& reopened = show<GeneralPane>();
    EXPECT_TRUE(named<Toggle>(reopened, u"Open at login"_s)->isChecked());
}

TEST_F(GeneralPaneTest, HidingFromScreenshotsIsOfferedWhereTheDesktopCanHide) {
    EXPECT_TRUE(named<Toggle>(show<GeneralPane>(), u"Hide paper from screenshots and recordings"_s)
                    ->isEnabled());
}

TEST_F(GeneralPaneTest, WhatThisDesktopCannotDoIsDisabledOrLeftOut) {
    edit([](Settings& s) { s.hideFromScreenshots = true; });
    platform.setUnavailable(DesktopAbility::hideFromCapture,
                            u"This desktop does not let apps hide from screenshots."_s);
    GeneralPane& pane = show<GeneralPane>();
    Toggle* hide = named<Toggle>(pane, u"Hide paper from screenshots and recordings"_s);
    ASSERT_NE(hide, nullptr);
    EXPECT_FALSE(hide->isEnabled());
    EXPECT_TRUE(hide->isChecked());
    QTest::mouseClick(hide, Qt::LeftButton);
    EXPECT_TRUE(settings().hideFromScreenshots);
    QStringList texts;
    for (const QLabel* label : pane.findChildren<QLabel*>()) {
        texts << label->text();
    }
    EXPECT_TRUE(texts.contains(u"This desktop does not let apps hide from screenshots."));
    EXPECT_FALSE(texts.contains(u"Trackpad feedback"));
    EXPECT_TRUE(settings().haptics);
}

TEST_F(GeneralPaneTest, ButtonsOpenWelcomeAndCheckForUpdatesOnlyWhenThereIsAFeed) {
    GeneralPane& plain = show<GeneralPane>();
    EXPECT_EQ(named(plain, u"Check for Updates"_s), nullptr);
    QTest::mouseClick(named(plain, u"Show Welcome Again"_s), Qt::LeftButton);
    EXPECT_EQ(welcomes, 1);

    GeneralPane& updating = show<GeneralPane>(nullptr, true);
    QAbstractButton* check = named(updating, u"Check for Updates"_s);
    ASSERT_NE(check, nullptr);
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_EQ(updateChecks, 1);
}

TEST_F(GeneralPaneTest, ScreenAccessNoteShowsOnlyWhenScreensAreSampledWithoutAccess) {
    platform.setCaptureAllowed(false);
    store->restartSampling();
    GeneralPane& pane = show<GeneralPane>();
    EXPECT_FALSE(noteShown(pane));

    auto* follow = named<QComboBox>(pane, u"Day and Night follow"_s);
    ASSERT_NE(follow, nullptr);
    EXPECT_EQ(items(*follow), QStringList({"System appearance", "What each screen shows"}));
    choose(*follow, u"What each screen shows"_s);
    EXPECT_EQ(settings().dayNight, Settings::DayNight::screen);
    EXPECT_TRUE(noteShown(pane));

    platform.setCaptureAllowed(true);
    QTest::mouseClick(named(pane, u"Allow"_s), Qt::LeftButton);
    EXPECT_FALSE(noteShown(pane));
}

} // namespace
} // namespace tessel
