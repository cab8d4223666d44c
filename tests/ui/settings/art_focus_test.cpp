#include "art/Gallery.h"
#include "ui/UiTest.h"
#include "ui/kit/Toggle.h"
#include "ui/settings/ArtPane.h"
#include "ui/settings/FocusPane.h"
#include "ui/settings/PicturesRow.h"

#include <QSignalSpy>

namespace tessel {
namespace {

using ArtPaneTest = PaneTest;

TEST_F(ArtPaneTest, IdleMinutesAreNamedAndChosen) {
    EXPECT_EQ(ArtPane::minutesLabel(1), u"1 minute");
    EXPECT_EQ(ArtPane::minutesLabel(5), u"5 minutes");
    ArtPane& pane = show<ArtPane>();
    auto* after = named<QComboBox>(pane, u"After"_s);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(items(*after), QStringList({"1 minute", "2 minutes", "5 minutes", "10 minutes",
                                          "15 minutes", "30 minutes"}));
    choose(*after, u"10 minutes"_s);
    EXPECT_EQ(settings().art.idleMinutes, 10);

    edit([](Settings& s) { s.art.idleMinutes = 7; });
    EXPECT_EQ(after->currentText(), u"7 minutes");
    EXPECT_EQ(after->count(), 7);
    EXPECT_EQ(after->itemText(3), u"7 minutes");
}

TEST_F(ArtPaneTest, CollectionSwitchesKeepTheStoredOrder) {
    edit([](Settings& s) { s.art.collections = {u"dutch"_s, u"ukiyoe"_s}; });
    ArtPane& pane = show<ArtPane>();
    const gallery::Collection& dutch = gallery::collection(u"dutch"_s);
    const gallery::Collection& ink = gallery::collection(u"ink"_s);
    Toggle* dutchSwitch = named<Toggle>(pane, dutch.name);
    Toggle* inkSwitch = named<Toggle>(pane, ink.name);
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
    ArtPane& pane = show<ArtPane>();
    QTest::mouseClick(named(pane, u"Preview Now"_s), Qt::LeftButton);
    EXPECT_TRUE(waitFor([this] { return art->presenter().isShowing(); }));
    EXPECT_TRUE(art->current().has_value());
}

TEST_F(ArtPaneTest, YourPicturesCountTheChosenFolder) {
    ArtPane& pane = show<ArtPane>();
    auto* row = qobject_cast<PicturesRow*>(named<Toggle>(pane, u"Your Pictures"_s)->parent());
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->countText(), u"No folder chosen"_s);
    EXPECT_NE(named(pane, u"Choose Folder…"_s), nullptr);

    QTemporaryDir folder;
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::green);
    for (const char* name : {"a.jpg", "b.png", "notes.txt"}) {
        picture.save(folder.filePath(QString::fromLatin1(name)));
    }
    edit([&folder](Settings& s) { s.art.folder = folder.path(); });
    const QString expected = u"2 pictures in "_s + QDir(folder.path()).dirName();
    EXPECT_TRUE(waitFor([&] { return row->countText() == expected; }))
        << row->countText().toStdString();
}

using FocusPaneTest = PaneTest;

TEST_F(FocusPaneTest, SwitchesSlidersAndPickersBind) {
    FocusPane& pane = show<FocusPane>();
    QTest::mouseClick(named<Toggle>(pane, u"Focus Sheet"_s), Qt::LeftButton);
    QTest::mouseClick(named<Toggle>(pane, u"Reading Ruler"_s), Qt::LeftButton);
    QTest::mouseClick(named<Toggle>(pane, u"Rest Page"_s), Qt::LeftButton);
    EXPECT_TRUE(settings().focusSheet);
    EXPECT_TRUE(settings().ruler);
    EXPECT_TRUE(settings().rest);

    auto* depth = named<FloatSlider>(pane, u"Depth"_s);
    ASSERT_NE(depth, nullptr);
    EXPECT_EQ(depth->width(), 240);
    QTest::keyClick(depth, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(settings().focusStrength, 0.1);
    QTest::keyClick(named<FloatSlider>(pane, u"Band height"_s), Qt::Key_End);
    EXPECT_DOUBLE_EQ(settings().rulerHeight, 120);

    auto* every = named<QComboBox>(pane, u"Every"_s);
    EXPECT_EQ(items(*every), QStringList({"20 minutes of use", "30 minutes of use",
                                          "45 minutes of use", "60 minutes of use"}));
    choose(*every, u"45 minutes of use"_s);
    EXPECT_EQ(settings().restEvery, 45);
    auto* length = named<QComboBox>(pane, u"For"_s);
    EXPECT_EQ(items(*length), QStringList({"20 seconds", "30 seconds", "60 seconds"}));
    choose(*length, u"60 seconds"_s);
    EXPECT_EQ(settings().restLength, 60);
}

TEST_F(FocusPaneTest, ShowsChangesMadeElsewhereWithoutWritingThemBack) {
    FocusPane& pane = show<FocusPane>();
    QSignalSpy changes(store.get(), &Store::settingsChanged);
    edit([](Settings& s) {
        s.focusSheet = true;
        s.focusStrength = 0.8;
        s.rulerHeight = 60;
        s.restLength = 30;
    });
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(named<Toggle>(pane, u"Focus Sheet"_s)->isChecked());
    EXPECT_DOUBLE_EQ(named<FloatSlider>(pane, u"Depth"_s)->value(), 0.8);
    EXPECT_DOUBLE_EQ(named<FloatSlider>(pane, u"Band height"_s)->value(), 60);
    EXPECT_EQ(named<QComboBox>(pane, u"For"_s)->currentText(), u"30 seconds");
}

TEST_F(FocusPaneTest, TryItNowShowsTheRestPage) {
    FocusPane& pane = show<FocusPane>();
    QTest::mouseClick(named(pane, u"Try It Now"_s), Qt::LeftButton);
    EXPECT_TRUE(rest->presenter().isShowing());
}

} // namespace
} // namespace tessel
