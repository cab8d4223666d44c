#include "art/Gallery.h"
#include "ui/UiTest.h"
#include "ui/kit/Toggle.h"
#include "ui/settings/ArtPane.h"
#include "ui/settings/DisplaysPane.h"
#include "ui/settings/FocusPane.h"
#include "ui/settings/GeneralPane.h"
#include "ui/settings/PaneFactory.h"
#include "ui/settings/PicturesRow.h"

#include <QPushButton>

namespace tessel {
namespace {

// A control of a pane, what a person does with it and what that changes in the settings.
struct Binding {
    Pane pane;
    const char* control;
    std::function<void(Settings&)> change;
    Qt::Key key = Qt::Key_unknown; // without a key, a click
};

const Binding bindings[] = {
    {Pane::general, "Paper on", [](Settings& s) { s.enabled = false; }},
    {Pane::general, "Pause on battery", [](Settings& s) { s.pauseOnBattery = true; }},
    {Pane::general, "Sounds", [](Settings& s) { s.sounds = false; }},
    {Pane::general, "Day and Night follow",
     [](Settings& s) { s.dayNight = Settings::DayNight::screen; }, Qt::Key_Down},
    {Pane::lamp, "Candle", [](Settings& s) { s.lamp.id = u"candle"_s; }},
    {Pane::lamp, "Strength", [](Settings& s) { s.lamp.strength = 1; }, Qt::Key_End},
    {Pane::lamp, "Strength", [](Settings& s) { s.lamp.strength = 0.15; }, Qt::Key_Home},
    {Pane::art, "After", [](Settings& s) { s.art.idleMinutes = 10; }, Qt::Key_Down},
    {Pane::apps, "Only in listed apps",
     [](Settings& s) { s.appMode = Settings::AppMode::onlyListed; }},
    {Pane::schedule, "From sunset to sunrise",
     [](Settings& s) { s.schedule.mode = Schedule::Mode::sunsetToSunrise; }},
    {Pane::focus, "Focus Sheet", [](Settings& s) { s.focusSheet = true; }},
    {Pane::focus, "Reading Ruler", [](Settings& s) { s.ruler = true; }},
    {Pane::focus, "Rest Page", [](Settings& s) { s.rest = true; }},
    {Pane::focus, "Depth", [](Settings& s) { s.focusStrength = 0.1; }, Qt::Key_Home},
    {Pane::focus, "Band height", [](Settings& s) { s.rulerHeight = 120; }, Qt::Key_End},
    {Pane::focus, "Every", [](Settings& s) { s.restEvery = 30; }, Qt::Key_Down},
    {Pane::focus, "For", [](Settings& s) { s.restLength = 30; }, Qt::Key_Down},
};

// What a control shows of its setting.
QVariant shown(const QWidget& control) {
    if (const auto* picker = qobject_cast<const QComboBox*>(&control)) {
        return picker->currentText();
    }
    if (const auto* slider = qobject_cast<const FloatSlider*>(&control)) {
        return slider->value();
    }
    return qobject_cast<const QAbstractButton*>(&control)->isChecked();
}

using PaneControls = PaneTest;

// Each control writes its one setting, and shows what is stored when it changes elsewhere
// without writing it back.
TEST_F(PaneControls, WriteTheirSettingAndFollowChangesMadeElsewhere) {
    for (const Binding& binding : bindings) {
        SCOPED_TRACE(binding.control);
        const Settings before = settings();
        SettingsContext made = context();
        const std::unique_ptr<QWidget> pane = makePane(binding.pane, made);
        present(*pane);
        QWidget* control = named<QWidget>(*pane, QString::fromUtf8(binding.control));
        ASSERT_NE(control, nullptr);
        const QVariant shownBefore = shown(*control);
        if (binding.key != Qt::Key_unknown) {
            control->setFocus();
            QTest::keyClick(control, binding.key);
        } else {
            QTest::mouseClick(control, Qt::LeftButton);
        }
        Settings expected = before;
        binding.change(expected);
        EXPECT_EQ(settings(), expected);
        EXPECT_NE(shown(*control), shownBefore);

        edit([&before](Settings& s) { s = before; });
        EXPECT_EQ(shown(*control), shownBefore);
        EXPECT_EQ(settings(), before);
    }
}

TEST_F(PaneControls, DisplaysListScreensWithTheirPixelSizesAndFollowThem) {
    const ScreenInfo builtIn = platform.screens().front();
    platform.setScreens({builtIn, {u"B"_s, u"DELL U2720Q"_s, {1440, 0, 2560, 1440}, 1}});
    DisplaysPane& pane = show<DisplaysPane>();
    const QStringList texts = visibleTexts(pane);
    EXPECT_TRUE(texts.contains(u"2880 x 1800"));
    EXPECT_TRUE(texts.contains(u"2560 x 1440"));
    EXPECT_TRUE(texts.contains(u"DELL U2720Q"));
    // A custom paper deleted since it was picked: the screen gets what the id resolves to.
    edit([](Settings& s) {
        s.displayPapers.insert(u"A"_s, u"custom-gone"_s);
        s.disabledDisplays = {u"B"_s};
    });
    auto* picker = named<QComboBox>(pane, u"Paper on Built-in Display"_s);
    EXPECT_EQ(picker->currentText(), Paper::find(u"custom-gone"_s, {}).name);
    // Back on, and back to the Day and Night papers, a screen is forgotten.
    QTest::mouseClick(named<Toggle>(pane, u"Paper on DELL U2720Q on or off"_s), Qt::LeftButton);
    choose(*picker, u"Day / Night paper"_s);
    EXPECT_TRUE(settings().disabledDisplays.isEmpty());
    EXPECT_TRUE(settings().displayPapers.isEmpty());

    platform.setScreens({builtIn});
    QCoreApplication::processEvents();
    EXPECT_FALSE(visibleTexts(pane).contains(u"DELL U2720Q"));
}

TEST_F(PaneControls, OpenAtLoginAsksTheDesktopAndUpdatesAreCheckedOnlyWithAFeed) {
    QTest::mouseClick(named<Toggle>(show<GeneralPane>(), u"Open at login"_s), Qt::LeftButton);
    EXPECT_TRUE(platform.isLoginItem());
    const GeneralPane& reopened = show<GeneralPane>();
    EXPECT_TRUE(named<Toggle>(reopened, u"Open at login"_s)->isChecked());
    EXPECT_EQ(named(reopened, u"Check for Updates"_s), nullptr);
    QTest::mouseClick(named(show<GeneralPane>(nullptr, true), u"Check for Updates"_s),
                      Qt::LeftButton);
    EXPECT_EQ(updateChecks, 1);
}

TEST_F(PaneControls, ScreenAccessNoteShowsOnlyWhenScreensAreSampledWithoutAccess) {
    platform.setCaptureAllowed(false);
    store->restartSampling();
    GeneralPane& pane = show<GeneralPane>();
    const auto noteShown = [&pane] {
        const QPushButton* allow = named<QPushButton>(pane, u"Allow"_s);
        return allow && allow->isVisibleTo(&pane);
    };
    EXPECT_FALSE(noteShown());
    choose(*named<QComboBox>(pane, u"Day and Night follow"_s), u"What each screen shows"_s);
    EXPECT_TRUE(noteShown());

    platform.setCaptureAllowed(true);
    QTest::mouseClick(named(pane, u"Allow"_s), Qt::LeftButton);
    EXPECT_FALSE(noteShown());
}

TEST_F(PaneControls, ArtChoicesKeepTheStoredOrderAndAHandEditedIdleTime) {
    edit([](Settings& s) { s.art.collections = {u"dutch"_s, u"ukiyoe"_s}; });
    ArtPane& pane = show<ArtPane>();
    Toggle* dutch = named<Toggle>(pane, gallery::collection(u"dutch"_s).name);
    Toggle* ink = named<Toggle>(pane, gallery::collection(u"ink"_s).name);
    ASSERT_TRUE(dutch && ink);
    EXPECT_TRUE(dutch->isChecked());
    EXPECT_FALSE(ink->isChecked());

    QTest::mouseClick(ink, Qt::LeftButton);
    QTest::mouseClick(dutch, Qt::LeftButton);
    EXPECT_EQ(settings().art.collections, QStringList({"ukiyoe", "ink"}));
    QTest::mouseClick(dutch, Qt::LeftButton);
    EXPECT_EQ(settings().art.collections, QStringList({"ukiyoe", "ink", "dutch"}));

    // A hand-edited idle time shows among the choices.
    auto* after = named<QComboBox>(pane, u"After"_s);
    edit([](Settings& s) { s.art.idleMinutes = 7; });
    EXPECT_EQ(after->currentText(), u"7 minutes");
    EXPECT_EQ(after->findText(u"7 minutes"_s), 3);
}

TEST_F(PaneControls, PreviewButtonsPutTheMomentUp) {
    QTest::mouseClick(named(show<ArtPane>(), u"Preview Now"_s), Qt::LeftButton);
    EXPECT_TRUE(waitFor([this] { return art->presenter().isShowing(); }));
    QTest::mouseClick(named(show<FocusPane>(), u"Try It Now"_s), Qt::LeftButton);
    EXPECT_TRUE(rest->presenter().isShowing());
}

TEST_F(PaneControls, YourPicturesCountTheChosenFolder) {
    ArtPane& pane = show<ArtPane>();
    auto* row = qobject_cast<PicturesRow*>(named<Toggle>(pane, u"Your Pictures"_s)->parent());
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->countText(), u"No folder chosen"_s);

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

} // namespace
} // namespace tessel
