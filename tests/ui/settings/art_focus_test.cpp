#include "art/Gallery.h"
#include "ui/kit/Toggle.h"
#include "ui/settings/ArtPane.h"
#include "ui/settings/FocusPane.h"
#include "ui/settings/PanesFixture.h"

#include <QSignalSpy>

namespace tessel {
namespace {

using ArtPaneTest = PanesTest;

TEST_F(ArtPaneTest, IdleMinutesAreNamedAndChosen) {
    EXPECT_EQ(ArtPane::minutesLabel(1), u"1 minute");
    EXPECT_EQ(ArtPane::minutesLabel(5), u"5 minutes");
    SettingsContext made = context();
    ArtPane pane(made);
    auto* after = inRow<QComboBox>(pane, QStringLiteral("After"));
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(items(*after), QStringList({"1 minute", "2 minutes", "5 minutes", "10 minutes",
                                          "15 minutes", "30 minutes"}));
    choose(*after, QStringLiteral("10 minutes"));
    EXPECT_EQ(settings().art.idleMinutes, 10);

    edit([](Settings& s) { s.art.idleMinutes = 7; });
    EXPECT_EQ(after->currentText(), u"7 minutes");
    EXPECT_EQ(after->count(), 7);
    EXPECT_EQ(after->itemText(3), u"7 minutes");
}

TEST_F(ArtPaneTest, CollectionSwitchesKeepTheStoredOrder) {
    edit([](Settings& s) {
        s.art.collections = {QStringLiteral("dutch"), QStringLiteral("ukiyoe")};
    });
    SettingsContext made = context();
    ArtPane pane(made);
    const gallery::Collection& dutch = gallery::collection(QStringLiteral("dutch"));
    const gallery::Collection& ink = gallery::collection(QStringLiteral("ink"));
    Toggle* dutchSwitch = inRow<Toggle>(pane, dutch.name);
    Toggle* inkSwitch = inRow<Toggle>(pane, ink.name);
    ASSERT_NE(dutchSwitch, nullptr);
    ASSERT_NE(inkSwitch, nullptr);
    EXPECT_TRUE(dutchSwitch->isChecked());
    EXPECT_FALSE(inkSwitch->isChecked());

    QTest::mouseClick(inkSwitch, Qt::LeftButton);
    QTest::mouseClick(dutchSwitch, Qt::LeftButton);
    EXPECT_EQ(settings().art.collections, QStringList({"ukiyoe", "ink"}));
    QTest::mouseClick(dutchSwitch, Qt::LeftButton);
    EXPECT_EQ(settings().art.collections, QStringList({"ukiyoe", "ink", "dutch"}));
}

TEST_F(ArtPaneTest, PreviewNowPutsAPaintingUp) {
    SettingsContext made = context();
    ArtPane pane(made);
    QTest::mouseClick(button(pane, QStringLiteral("Preview Now")), Qt::LeftButton);
    EXPECT_TRUE(art->presenter().isShowing());
    EXPECT_TRUE(art->current().has_value());
}

using FocusPaneTest = PanesTest;

TEST_F(FocusPaneTest, SwitchesSlidersAndPickersBind) {
    SettingsContext made = context();
    FocusPane pane(made);
    QTest::mouseClick(inRow<Toggle>(pane, QStringLiteral("Focus Sheet")), Qt::LeftButton);
    QTest::mouseClick(inRow<Toggle>(pane, QStringLiteral("Reading Ruler")), Qt::LeftButton);
    QTest::mouseClick(inRow<Toggle>(pane, QStringLiteral("Rest Page")), Qt::LeftButton);
    EXPECT_TRUE(settings().focusSheet);
    EXPECT_TRUE(settings().ruler);
    EXPECT_TRUE(settings().rest);

    auto* depth = inRow<FloatSlider>(pane, QStringLiteral("Depth"));
    ASSERT_NE(depth, nullptr);
    EXPECT_EQ(depth->width(), 240);
    QTest::keyClick(depth, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(settings().focusStrength, 0.1);
    QTest::keyClick(inRow<FloatSlider>(pane, QStringLiteral("Band height")), Qt::Key_End);
    EXPECT_DOUBLE_EQ(settings().rulerHeight, 120);

    auto* every = inRow<QComboBox>(pane, QStringLiteral("Every"));
    EXPECT_EQ(items(*every), QStringList({"20 minutes of use", "30 minutes of use",
                                          "45 minutes of use", "60 minutes of use"}));
    choose(*every, QStringLiteral("45 minutes of use"));
    EXPECT_EQ(settings().restEvery, 45);
    auto* length = inRow<QComboBox>(pane, QStringLiteral("For"));
    EXPECT_EQ(items(*length), QStringList({"20 seconds", "30 seconds", "60 seconds"}));
    choose(*length, QStringLiteral("60 seconds"));
    EXPECT_EQ(settings().restLength, 60);
}

TEST_F(FocusPaneTest, ShowsChangesMadeElsewhereWithoutWritingThemBack) {
    SettingsContext made = context();
    FocusPane pane(made);
    QSignalSpy changes(store.get(), &Store::settingsChanged);
    edit([](Settings& s) {
        s.focusSheet = true;
        s.focusStrength = 0.8;
        s.rulerHeight = 60;
        s.restLength = 30;
    });
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(inRow<Toggle>(pane, QStringLiteral("Focus Sheet"))->isChecked());
    EXPECT_DOUBLE_EQ(inRow<FloatSlider>(pane, QStringLiteral("Depth"))->value(), 0.8);
    EXPECT_DOUBLE_EQ(inRow<FloatSlider>(pane, QStringLiteral("Band height"))->value(), 60);
    EXPECT_EQ(inRow<QComboBox>(pane, QStringLiteral("For"))->currentText(), u"30 seconds");
}

TEST_F(FocusPaneTest, TryItNowShowsTheRestPage) {
    SettingsContext made = context();
    FocusPane pane(made);
    QTest::mouseClick(button(pane, QStringLiteral("Try It Now")), Qt::LeftButton);
    EXPECT_TRUE(rest->presenter().isShowing());
}

} // namespace
} // namespace tessel
