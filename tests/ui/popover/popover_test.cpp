#include "style/InterfacePalette.h"
#include "ui/UiTest.h"
#include "ui/kit/PaperGrid.h"
#include "ui/kit/SegmentButton.h"
#include "ui/kit/SlotSwitch.h"
#include "ui/kit/Swatch.h"
#include "ui/kit/Toggle.h"
#include "ui/kit/WeightRuler.h"
#include "ui/popover/LampButton.h"
#include "ui/popover/LampRow.h"
#include "ui/popover/PaperSheet.h"
#include "ui/popover/PopoverFooter.h"
#include "ui/popover/PopoverHeader.h"
#include "ui/popover/PopoverPlacement.h"
#include "ui/popover/PopoverView.h"
#include "ui/popover/QuietButton.h"
#include "ui/popover/ToolChip.h"

#include <QEnterEvent>
#include <QMenu>

namespace tessel {
namespace {

class Popover : public UiTest {
protected:
    PopoverView& open() {
        startStore();
        popover = std::make_unique<PopoverView>(
            *store, PopoverView::Actions{[this] { ++settingsOpened; }, [this] { ++quits; }});
        popover->popUp(QRect(1380, 0, 24, 24));
        return *popover;
    }

    Swatch* swatch(const char* name) const {
        return named<Swatch>(*popover, QString::fromLatin1(name));
    }

    void clickRuler(double fraction) {
        WeightRuler& ruler = popover->ruler();
        const QRectF scale = ruler.scale();
        QTest::mouseClick(
            &ruler, Qt::LeftButton, {},
            QPointF(scale.left() + fraction * scale.width(), scale.center().y()).toPoint());
    }

    std::unique_ptr<PopoverView> popover;
    int settingsOpened = 0;
    int quits = 0;
};

TEST_F(Popover, IsAsWideAsSpecifiedAndShowsTheDaySlot) {
    open();
    EXPECT_EQ(popover->width(), PopoverView::fixedWidth);
    EXPECT_EQ(popover->sheet().label(), u"DAY PAPER"_s);
    EXPECT_EQ(popover->sheet().paper().id, u"kozo"_s);
    EXPECT_EQ(popover->sheet().shownGsm(), 120);
    EXPECT_EQ(popover->grid().selected(), u"kozo"_s);
    EXPECT_EQ(popover->grid().swatches().size(), Paper::builtIn().size());
    EXPECT_EQ(popover->ruler().value(), 120);
    EXPECT_TRUE(popover->header().paperSwitch()->isChecked());
    EXPECT_EQ(popover->header().paperSwitch()->accessibleName(), u"Paper on"_s);
}

TEST_F(Popover, ChoosingASwatchSetsTheEditedPaperAndKeepsItsWeight) {
    open();
    ASSERT_TRUE(swatch("Felt"));
    swatch("Felt")->click();
    EXPECT_EQ(store->settings().day, (Slot{u"felt"_s, 120}));
    EXPECT_EQ(store->settings().night, Settings().night);
    EXPECT_EQ(popover->grid().selected(), u"felt"_s);
    EXPECT_TRUE(swatch("Felt")->isChecked());
    EXPECT_FALSE(swatch("Kozo")->isChecked());
    EXPECT_EQ(popover->sheet().paper().name, u"Felt"_s);
}

TEST_F(Popover, SwitchingToNightShowsAndEditsTheNightSlot) {
    Settings settings;
    settings.onboarded = true;
    settings.night = {u"graph"_s, 210};
    storeSettings(settings);
    open();
    popover->slotSwitch().nightButton()->click();
    EXPECT_TRUE(store->editingNight());
    EXPECT_TRUE(popover->slotSwitch().nightButton()->isChecked());
    EXPECT_FALSE(popover->slotSwitch().day()->isChecked());
    EXPECT_EQ(popover->sheet().label(), u"NIGHT PAPER"_s);
    EXPECT_EQ(popover->grid().selected(), u"graph"_s);
    EXPECT_EQ(popover->ruler().value(), 210);
    EXPECT_EQ(popover->sheet().shownGsm(), 210);

    clickRuler(0.52);
    EXPECT_EQ(store->settings().night.gsm, 180);
    EXPECT_EQ(store->settings().day, Settings().day);

    popover->slotSwitch().day()->click();
    EXPECT_FALSE(store->editingNight());
    EXPECT_EQ(popover->sheet().label(), u"DAY PAPER"_s);
    EXPECT_EQ(popover->ruler().value(), 120);
}

TEST_F(Popover, FollowsChangesMadeElsewhereWhileOpen) {
    open();
    store->updateSettings([](Settings& s) {
        s.day = {u"laid"_s, 97.9};
        s.focusSheet = true;
        s.lamp.id = u"dusk"_s;
    });
    EXPECT_EQ(popover->grid().selected(), u"laid"_s);
    EXPECT_EQ(popover->sheet().shownGsm(), 97) << "the weight is truncated";
    EXPECT_TRUE(popover->chips().at(0)->isChecked());
    EXPECT_EQ(popover->lamps().selected(), u"dusk"_s);
}

TEST_F(Popover, TheHeaderSwitchTurnsPaperOffAndTheSheetSaysSo) {
    open();
    popover->header().paperSwitch()->click();
    EXPECT_FALSE(store->settings().enabled);
    EXPECT_EQ(popover->sheet().status(), u"Off"_s);
    popover->header().paperSwitch()->click();
    EXPECT_TRUE(store->settings().enabled);
    EXPECT_EQ(popover->sheet().status(), std::nullopt);
}

TEST_F(Popover, ToolChipsToggleTheirReadingTools) {
    open();
    const QList<ToolChip*> chips = popover->chips();
    ASSERT_EQ(chips.size(), 3);
    EXPECT_EQ(chips[0]->text(), u"Focus"_s);
    EXPECT_EQ(chips[1]->text(), u"Ruler"_s);
    EXPECT_EQ(chips[2]->text(), u"Rest"_s);
    const auto tools = [this] {
        const Settings& s = store->settings();
        return std::tuple(s.focusSheet, s.ruler, s.rest);
    };
    chips[1]->click();
    EXPECT_EQ(tools(), std::tuple(false, true, false));
    chips[0]->click();
    chips[2]->click();
    EXPECT_EQ(tools(), std::tuple(true, true, true));
    chips[1]->click();
    EXPECT_EQ(tools(), std::tuple(true, false, true));
    EXPECT_FALSE(chips[1]->isChecked());
}

TEST_F(Popover, TheLampRowChoosesALampOrNone) {
    open();
    const QList<LampButton*> buttons = popover->lamps().buttons();
    ASSERT_EQ(buttons.size(), 7);
    EXPECT_EQ(buttons[0]->accessibleName(), u"No lamp"_s);
    EXPECT_EQ(buttons[0]->toolTip(), u"No lamp"_s);
    EXPECT_TRUE(buttons[0]->isChecked());
    EXPECT_EQ(buttons[3]->toolTip(), u"Candle"_s);

    buttons[3]->click();
    EXPECT_EQ(store->settings().lamp.id, u"candle"_s);
    EXPECT_TRUE(buttons[3]->isChecked());
    EXPECT_FALSE(buttons[0]->isChecked());
    buttons[0]->click();
    EXPECT_EQ(store->settings().lamp.id, std::nullopt);
    EXPECT_FALSE(buttons[3]->isChecked());
}

TEST_F(Popover, SnoozingOffersResumeUntilItIsCancelled) {
    open();
    PopoverFooter& footer = popover->footer();
    const QList<QAction*> items = footer.snoozeMenu().actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), u"For 15 Minutes"_s);
    EXPECT_EQ(items[1]->text(), u"For 1 Hour"_s);
    EXPECT_EQ(items[2]->text(), u"Until Tomorrow"_s);
    EXPECT_FALSE(footer.snooze()->isHidden());
    EXPECT_TRUE(footer.resume()->isHidden());

    items[1]->trigger();
    ASSERT_TRUE(store->isSnoozed());
    EXPECT_EQ(store->settings().snoozedUntil->toDateTime(), platform.now().addSecs(3600));
    EXPECT_TRUE(footer.snooze()->isHidden());
    EXPECT_FALSE(footer.resume()->isHidden());
    EXPECT_EQ(popover->sheet().status(),
              u"Snoozed until "_s + QLocale().toString(QTime(13, 0), QLocale::ShortFormat));

    footer.resume()->click();
    EXPECT_FALSE(store->isSnoozed());
    EXPECT_FALSE(footer.snooze()->isHidden());
    EXPECT_TRUE(footer.resume()->isHidden());

    items[0]->trigger();
    EXPECT_EQ(store->settings().snoozedUntil->toDateTime(), platform.now().addSecs(900));
    footer.resume()->click();
    items[2]->trigger();
    EXPECT_EQ(store->settings().snoozedUntil->toDateTime(),
              QDateTime(QDate(2024, 3, 2), QTime(0, 0), QTimeZone::utc()));
}

TEST_F(Popover, EscapeClosesItAndTheShortcutsOpenSettingsAndQuit) {
    open();
    ASSERT_TRUE(popover->isVisible());
    QTest::keyClick(popover.get(), Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_FALSE(popover->isVisible()) << "Settings takes its place";

    popover->popUp(QRect(1380, 0, 24, 24));
    QTest::keyClick(popover.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
    QTest::keyClick(popover.get(), Qt::Key_Escape);
    EXPECT_FALSE(popover->isVisible());
}

TEST(PopoverPlacement, OpensBesideTheAnchorInsideTheScreen) {
    const QRect screen(0, 0, 1440, 900);
    const QSize size(340, 600);
    // Under an icon in a top panel, centred on it, until the screen edge stops it.
    EXPECT_EQ(popoverPosition(size, QRect(600, 0, 24, 24), screen), QPoint(441, 30));
    EXPECT_EQ(popoverPosition(size, QRect(1400, 0, 24, 24), screen), QPoint(1092, 30));
    // Over an icon in a bottom panel.
    EXPECT_EQ(popoverPosition(size, QRect(20, 870, 24, 30), screen), QPoint(8, 264));
    // On a second screen to the right.
    EXPECT_EQ(popoverPosition(size, QRect(2000, 5, 1, 1), QRect(1440, 0, 1920, 1080)),
              QPoint(1830, 12));
}

class SlotPieces : public UiTest {};

TEST_F(SlotPieces, CustomPapersJoinTheGridAndAnUnknownPaperShowsAsKozo) {
    Settings settings;
    settings.onboarded = true;
    settings.day.paper = u"gone"_s;
    storeSettings(settings);
    startStore();
    PopoverView popover(*store, {[] {}, [] {}});
    EXPECT_EQ(popover.grid().selected(), u"kozo"_s);

    store->updateSettings([](Settings& s) {
        s.customPapers.append({u"mine"_s, u"Mine"_s, Recipe{}});
    });
    const QList<Swatch*> swatches = popover.grid().swatches();
    ASSERT_EQ(swatches.size(), Paper::builtIn().size() + 1);
    EXPECT_EQ(swatches.last()->paper().name, u"Mine"_s);
    swatches.last()->click();
    EXPECT_EQ(store->settings().day.paper, u"mine"_s);
    EXPECT_EQ(popover.sheet().accessibleName().section(u',', 1, 1).trimmed(), u"Mine"_s);
}

TEST_F(SlotPieces, TheGridNamesThePaperUnderThePointer) {
    startStore();
    PopoverView popover(*store, {[] {}, [] {}});
    popover.popUp(QRect(1380, 0, 24, 24));
    Swatch* gampi = named<Swatch>(popover, u"Gampi"_s);
    ASSERT_TRUE(gampi);
    QEnterEvent enter(QPointF(5, 5), gampi->mapToGlobal(QPointF(5, 5)),
                      gampi->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(gampi, &enter);
    EXPECT_EQ(popover.grid().hovered(), u"gampi"_s);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(gampi, &leave);
    EXPECT_EQ(popover.grid().hovered(), std::nullopt);
    EXPECT_EQ(store->settings().day, Settings().day) << "hovering chooses nothing";
}

TEST_F(SlotPieces, ThePopoverFollowsTheDesktopAppearance) {
    startStore();
    PopoverView popover(*store, {[] {}, [] {}});
    EXPECT_EQ(popover.palette().color(QPalette::Window), InterfacePalette::lightGrey());
    platform.setDark(true);
    EXPECT_EQ(popover.palette().color(QPalette::Window), InterfacePalette::nearBlack());
    EXPECT_EQ(popover.palette().color(QPalette::WindowText), InterfacePalette::paperWhite());
}

} // namespace
} // namespace tessel
