#include "core/StatusText.h"
#include "style/InterfacePalette.h"
#include "ui/UiTest.h"
#include "ui/kit/PaperGrid.h"
#include "ui/kit/SegmentButton.h"
#include "ui/kit/SlotSwitch.h"
#include "ui/kit/Swatch.h"
#include "ui/kit/Toggle.h"
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

const QRect panelIcon(1380, 0, 24, 24);

class Popover : public UiTest {
protected:
    void SetUp() override {
        startStore();
        popover = std::make_unique<PopoverView>(
            *store, PopoverView::Actions{[this] { ++settingsOpened; }, [this] { ++quits; }});
        popover->popUp(panelIcon);
    }

    Swatch* swatch(const QString& name) const { return named<Swatch>(*popover, name); }

    std::unique_ptr<PopoverView> popover;
    int settingsOpened = 0;
    int quits = 0;
};

TEST_F(Popover, ShowsTheDaySlotAndASwatchChangesItsPaperKeepingTheWeight) {
    EXPECT_EQ(popover->sheet().label(), u"DAY PAPER"_s);
    EXPECT_EQ(popover->sheet().shownGsm(), 120);
    EXPECT_TRUE(swatch(u"Kozo"_s)->isChecked());
    swatch(u"Felt"_s)->click();
    EXPECT_EQ(store->settings().day, (Slot{u"felt"_s, 120}));
    EXPECT_EQ(store->settings().night, Settings().night);
    EXPECT_FALSE(swatch(u"Kozo"_s)->isChecked());
    EXPECT_EQ(popover->sheet().accessibleName().section(u',', 1, 1).trimmed(), u"Felt"_s);
}

TEST_F(Popover, TheNightSideShowsAndEditsTheNightSlot) {
    store->updateSettings([](Settings& s) { s.night = {u"graph"_s, 210}; });
    popover->slotSwitch().nightButton()->click();
    EXPECT_TRUE(store->editingNight());
    EXPECT_EQ(popover->sheet().label(), u"NIGHT PAPER"_s);
    EXPECT_EQ(popover->grid().selected(), u"graph"_s);
    EXPECT_EQ(popover->ruler().value(), 210);
    clickRuler(popover->ruler(), 0.52);
    EXPECT_EQ(store->settings().night.gsm, 180);
    EXPECT_EQ(store->settings().day, Settings().day);
    popover->slotSwitch().day()->click();
    EXPECT_FALSE(store->editingNight());
    EXPECT_EQ(popover->ruler().value(), 120);
}

TEST_F(Popover, FollowsChangesMadeElsewhereWhileOpen) {
    store->updateSettings([](Settings& s) {
        s.day = {u"laid"_s, 97.9};
        s.focusSheet = true;
        s.lamp.id = u"dusk"_s;
    });
    EXPECT_EQ(popover->grid().selected(), u"laid"_s);
    EXPECT_EQ(popover->sheet().shownGsm(), 97) << "the weight is truncated";
    EXPECT_TRUE(popover->chips().at(0)->isChecked());
    EXPECT_EQ(popover->lamps().selected(), u"dusk"_s);
    store->updateSettings([](Settings& s) { s.day.paper = u"gone"_s; });
    EXPECT_EQ(popover->grid().selected(), u"kozo"_s) << "an unknown paper shows as Kozo";
    platform.setDark(true);
    EXPECT_EQ(popover->palette().color(QPalette::Window), InterfacePalette::nearBlack());
}

TEST_F(Popover, TheSwitchChipsAndLampsChangeTheirSettings) {
    popover->header().paperSwitch()->click();
    EXPECT_FALSE(store->settings().enabled);
    popover->chips().at(1)->click();
    popover->chips().at(2)->click();
    const Settings& s = store->settings();
    EXPECT_EQ(std::tuple(s.focusSheet, s.ruler, s.rest), std::tuple(false, true, true));
    auto* none = named<LampButton>(*popover, u"No lamp"_s);
    named<LampButton>(*popover, u"Candle"_s)->click();
    EXPECT_EQ(store->settings().lamp.id, u"candle"_s);
    EXPECT_FALSE(none->isChecked());
    none->click();
    EXPECT_EQ(store->settings().lamp.id, std::nullopt);
}

TEST_F(Popover, TheGridNamesThePaperUnderThePointerWithoutChoosingIt) {
    Swatch* gampi = swatch(u"Gampi"_s);
    QEnterEvent enter(QPointF(5, 5), gampi->mapToGlobal(QPointF(5, 5)),
                      gampi->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(gampi, &enter);
    EXPECT_EQ(popover->grid().hovered(), u"gampi"_s);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(gampi, &leave);
    EXPECT_EQ(popover->grid().hovered(), std::nullopt);
    EXPECT_EQ(store->settings().day, Settings().day);
}

TEST_F(Popover, EachSnoozeOffersResumeUntilItIsCancelled) {
    PopoverFooter& footer = popover->footer();
    const QList<QAction*> items = footer.snoozeMenu().actions();
    const QDateTime ends[] = {platform.now().addSecs(900), platform.now().addSecs(3600),
                              QDateTime(QDate(2024, 3, 2), QTime(0, 0), QTimeZone::utc())};
    ASSERT_EQ(items.size(), std::size(ends));
    for (qsizetype i = 0; i < items.size(); ++i) {
        items[i]->trigger();
        EXPECT_EQ(store->settings().snoozedUntil->toDateTime(), ends[i]) << i;
        EXPECT_TRUE(footer.snooze()->isHidden());
        EXPECT_FALSE(footer.resume()->isHidden());
        EXPECT_EQ(popover->sheet().status(), u"Snoozed until "_s + shortTime(ends[i].time()));
        footer.resume()->click();
        EXPECT_FALSE(store->isSnoozed());
        EXPECT_TRUE(footer.resume()->isHidden());
    }
}

TEST_F(Popover, TheShortcutsOpenSettingsAndQuit) {
    QTest::keyClick(popover.get(), Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_EQ(settingsOpened, 1);
    EXPECT_FALSE(popover->isVisible()) << "Settings takes its place";
    popover->popUp(panelIcon);
    QTest::keyClick(popover.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(quits, 1);
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

// Custom papers join the grid; past two rows the grid scrolls rather than grows.
TEST_F(Popover, CustomPapersJoinTheGridWithinTwoRows) {
    const int builtInHeight = popover->height();
    store->updateSettings([](Settings& s) {
        s.customPapers.append({u"yours"_s, u"Yours"_s, Recipe{}});
        s.customPapers.append({u"mine"_s, u"Mine"_s, Recipe{}});
    });
    popover->adjustSize();
    EXPECT_LT(popover->height() - builtInHeight, Swatch::fixedSize.height() / 2)
        << "a third row only peeks out";
    Swatch* mine = popover->grid().swatches().last();
    mine->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(mine->visibleRegion().boundingRect(), mine->rect())
        << "the chosen paper scrolls into view";
    EXPECT_EQ(store->settings().day.paper, u"mine"_s);
}

} // namespace
} // namespace tessel
