#include "ui/kit/Toggle.h"
#include "ui/settings/GeneralPane.h"
#include "ui/settings/PanesFixture.h"

#include <QLabel>
#include <QPushButton>

namespace tessel {
namespace {

class GeneralPaneTest : public PanesTest {
protected:
    bool noteShown(const GeneralPane& pane) const {
        const QPushButton* allow = button<QPushButton>(pane, QStringLiteral("Allow"));
        return allow && allow->isVisibleTo(&pane);
    }
};

TEST_F(GeneralPaneTest, SwitchesWriteTheirSettingsAndFollowChangesMadeElsewhere) {
    SettingsContext made = context();
    GeneralPane pane(made);
    Toggle* paper = inRow<Toggle>(pane, QStringLiteral("Paper on"));
    ASSERT_NE(paper, nullptr);
    EXPECT_TRUE(paper->isChecked());
    QTest::mouseClick(paper, Qt::LeftButton);
    EXPECT_FALSE(settings().enabled);

    edit([](Settings& s) { s.enabled = true; });
    EXPECT_TRUE(paper->isChecked());

    Toggle* battery = inRow<Toggle>(pane, QStringLiteral("Pause on battery"));
    QTest::mouseClick(battery, Qt::LeftButton);
    EXPECT_TRUE(settings().pauseOnBattery);
    Toggle* sounds = inRow<Toggle>(pane, QStringLiteral("Sounds"));
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
        const QWidget* row = inRow<QWidget>(pane, QString::fromLatin1(label));
        if (!row) {
            row = button(pane, QString::fromLatin1(label));
        }
        ASSERT_NE(row, nullptr) << label;
        const int y = row->mapTo(&pane, QPoint()).y();
        EXPECT_GT(y, above) << label;
        above = y;
    }
}

TEST_F(GeneralPaneTest, OpenAtLoginAsksTheDesktop) {
    SettingsContext made = context();
    GeneralPane pane(made);
    Toggle* login = inRow<Toggle>(pane, QStringLiteral("Open at login"));
    ASSERT_NE(login, nullptr);
    EXPECT_FALSE(login->isChecked());
    QTest::mouseClick(login, Qt::LeftButton);
    EXPECT_TRUE(platform.isLoginItem());

    GeneralPane reopened(made);
    EXPECT_TRUE(inRow<Toggle>(reopened, QStringLiteral("Open at login"))->isChecked());
}

TEST_F(GeneralPaneTest, WhatThisDesktopCannotDoIsDisabledOrLeftOut) {
    edit([](Settings& s) { s.hideFromScreenshots = true; });
    SettingsContext made = context();
    GeneralPane pane(made);
    Toggle* hide =
        inRow<Toggle>(pane, QStringLiteral("Hide paper from screenshots and recordings"));
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
    SettingsContext withoutFeed = context();
    GeneralPane plain(withoutFeed);
    EXPECT_EQ(button(plain, QStringLiteral("Check for Updates")), nullptr);
    QTest::mouseClick(button(plain, QStringLiteral("Show Welcome Again")), Qt::LeftButton);
    EXPECT_EQ(welcomes, 1);

    SettingsContext withFeed = context(true);
    GeneralPane updating(withFeed);
    QAbstractButton* check = button(updating, QStringLiteral("Check for Updates"));
    ASSERT_NE(check, nullptr);
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_EQ(updateChecks, 1);
}

TEST_F(GeneralPaneTest, ScreenAccessNoteShowsOnlyWhenScreensAreSampledWithoutAccess) {
    platform.setCaptureAllowed(false);
    store->restartSampling();
    SettingsContext made = context();
    GeneralPane pane(made);
    EXPECT_FALSE(noteShown(pane));

    auto* follow = inRow<QComboBox>(pane, QStringLiteral("Day and Night follow"));
    ASSERT_NE(follow, nullptr);
    EXPECT_EQ(items(*follow), QStringList({"System appearance", "What each screen shows"}));
    choose(*follow, QStringLiteral("What each screen shows"));
    EXPECT_EQ(settings().dayNight, Settings::DayNight::screen);
    EXPECT_TRUE(noteShown(pane));

    platform.setCaptureAllowed(true);
    QTest::mouseClick(button(pane, QStringLiteral("Allow")), Qt::LeftButton);
    EXPECT_FALSE(noteShown(pane));
}

} // namespace
} // namespace tessel
