#include "UiFixture.h"
#include "style/InterfacePalette.h"
#include "ui/ElidedLabel.h"
#include "ui/LitPaper.h"
#include "ui/PaperGrid.h"
#include "ui/PaperSheet.h"
#include "ui/PopoverView.h"
#include "ui/Spring.h"
#include "ui/Swatch.h"

#include <QEnterEvent>
#include <QMouseEvent>

namespace tessel {
namespace {

TEST(Springs, StartAtRestAndSettleWithinTheirTime) {
    for (const Spring spring : {Spring::shared(), Spring{0.25, 1}, Spring{0.2, 1}}) {
        EXPECT_DOUBLE_EQ(spring.at(0), 0);
        const double settled = spring.settleMilliseconds() / 1000.0;
        EXPECT_NEAR(spring.at(settled), 1, 0.001) << spring.response;
        double highest = 0;
        for (double t = 0; t <= settled; t += 0.001) {
            highest = std::max(highest, spring.at(t));
        }
        if (spring.damping >= 1) {
            EXPECT_LE(highest, 1.0) << "critically damped springs never overshoot";
        } else {
            EXPECT_GT(highest, 1.0);
            EXPECT_LT(highest, 1.05) << "the shared spring only just overshoots";
        }
    }
}

TEST(ElidedLabels, CutWhatDoesNotFitAndShowItWholeInTheTooltip) {
    const QString name = QStringLiteral("<b>A very long paper name</b> that goes on and on");
    ElidedLabel label(name);
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    label.show();
    label.resize(label.minimumSizeHint().width() * 4, label.sizeHint().height());
    EXPECT_TRUE(label.text().endsWith(QStringLiteral("\u2026"))) << label.text().toStdString();
    EXPECT_EQ(label.fullText(), name);
    EXPECT_TRUE(label.toolTip().contains(QStringLiteral("&lt;b&gt;A very long")));

    label.resize(label.sizeHint());
    EXPECT_EQ(label.text(), name);
    EXPECT_TRUE(label.toolTip().isEmpty());
}

bool near(QPointF a, QPointF b) {
    return (a - b).manhattanLength() < 0.5;
}

TEST(LitPaperLight, FollowsThePointerAndRestsAboveTheTopWhenItLeaves) {
    LitPaper sheet;
    sheet.resize(300, 188);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    EXPECT_EQ(sheet.restingLight(), QPointF(60, -50));
    EXPECT_EQ(sheet.light(), sheet.restingLight());

    const QPointF pointer(200, 120);
    QMouseEvent move(QEvent::MouseMove, pointer, sheet.mapToGlobal(pointer), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&sheet, &move);
    EXPECT_TRUE(waitFor([&] { return near(sheet.light(), pointer); }));

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&sheet, &leave);
    EXPECT_TRUE(waitFor([&] { return near(sheet.light(), sheet.restingLight()); }));
}

class SlotPieces : public UiTest {};

TEST_F(SlotPieces, CustomPapersJoinTheGridAndAnUnknownPaperShowsAsKozo) {
    Settings settings;
    settings.onboarded = true;
    settings.day.paper = QStringLiteral("gone");
    storeSettings(settings);
    startStore();
    PopoverView popover(*store, {[] {}, [] {}});
    EXPECT_EQ(popover.grid().selected(), QStringLiteral("kozo"));

    store->updateSettings([](Settings& s) {
        s.customPapers.append({QStringLiteral("mine"), QStringLiteral("Mine"), Recipe{}});
    });
    const QList<Swatch*> swatches = popover.grid().swatches();
    ASSERT_EQ(swatches.size(), Paper::builtIn().size() + 1);
    EXPECT_EQ(swatches.last()->paper().name, QStringLiteral("Mine"));
    swatches.last()->click();
    EXPECT_EQ(store->settings().day.paper, QStringLiteral("mine"));
    EXPECT_EQ(popover.sheet().accessibleName().section(u',', 1, 1).trimmed(),
              QStringLiteral("Mine"));
}

TEST_F(SlotPieces, TheGridNamesThePaperUnderThePointer) {
    startStore();
    PopoverView popover(*store, {[] {}, [] {}});
    popover.popUp(QRect(1380, 0, 24, 24));
    Swatch* gampi = button<Swatch>(popover, QStringLiteral("Gampi"));
    ASSERT_TRUE(gampi);
    QEnterEvent enter(QPointF(5, 5), gampi->mapToGlobal(QPointF(5, 5)),
                      gampi->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(gampi, &enter);
    EXPECT_EQ(popover.grid().hovered(), QStringLiteral("gampi"));
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
