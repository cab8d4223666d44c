#include "ui/UiTest.h"
#include "ui/kit/PaperGrid.h"
#include "ui/kit/Swatch.h"
#include "ui/settings/LampCard.h"
#include "ui/settings/LampPane.h"
#include "ui/settings/PapersPane.h"
#include "ui/settings/SlotEditor.h"

#include <QMap>

#include <limits>

namespace tessel {
namespace {

using PapersPaneTest = PaneTest;

TEST_F(PapersPaneTest, EachEditorChoosesThePaperOfItsOwnSlotKeepingTheWeight) {
    edit([](Settings& s) {
        s.day = {u"kozo"_s, 90};
        s.night = {u"felt"_s, 210};
    });
    PapersPane& pane = show<PapersPane>();
    EXPECT_EQ(pane.day()->shownName(), Paper::find(u"kozo"_s, {}).name);

    QTest::mouseClick(named<Swatch>(*pane.night(), u"Graph"_s), Qt::LeftButton);
    EXPECT_EQ(settings().night, (Slot{u"graph"_s, 210}));
    EXPECT_EQ(settings().day, (Slot{u"kozo"_s, 90}));
    EXPECT_EQ(pane.night()->shownName(), Paper::find(u"graph"_s, {}).name);
    EXPECT_TRUE(named<Swatch>(*pane.night(), u"Graph"_s)->isChecked());
    EXPECT_FALSE(named<Swatch>(*pane.day(), u"Graph"_s)->isChecked());

    // Each arrow key steps the weight.
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Left}) {
        QTest::keyClick(pane.day()->ruler(), key);
    }
    EXPECT_EQ(settings().day.gsm, 80);
    EXPECT_EQ(settings().night.gsm, 210);
}

TEST_F(PapersPaneTest, SwatchesFillTheirRowsEvenlyUnderARulerJustAsWide) {
    PapersPane& pane = show<PapersPane>();
    for (const int width : {520, 700, 900}) {
        SCOPED_TRACE(width);
        pane.resize(width, 900);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const SlotEditor& editor = *pane.day();
        const QList<Swatch*> swatches = editor.grid()->swatches();
        ASSERT_GE(swatches.size(), 12);
        QMap<int, int> perRow;
        int left = std::numeric_limits<int>::max();
        int right = 0;
        for (const Swatch* swatch : swatches) {
            ++perRow[swatch->y()];
            const QRect placed(swatch->mapTo(&pane, QPoint()), swatch->size());
            left = std::min(left, placed.left());
            right = std::max(right, placed.right() + 1);
        }
        const int columns = perRow.first();
        EXPECT_LE(columns * 44 + (columns - 1) * SlotEditor::swatchGap, editor.grid()->width());
        EXPECT_GE(perRow.last(), columns - 1) << "the last row is left nearly empty";
        EXPECT_EQ(swatches[1]->x() - swatches[0]->x(), 44 + SlotEditor::swatchGap);

        const QRectF scale =
            editor.ruler()->scale().translated(editor.ruler()->mapTo(&pane, QPoint()));
        EXPECT_EQ(scale.left(), left);
        EXPECT_EQ(scale.right(), right);
    }
}

using LampPaneTest = PaneTest;

// The chosen card is the only one checked, the keyboard chooses too, and "No Lamp" comes first.
TEST_F(LampPaneTest, CardsChooseALampOrNone) {
    LampPane& pane = show<LampPane>();
    LampCard* none = pane.cards().front();
    EXPECT_EQ(none->accessibleName(), u"No Lamp");
    EXPECT_TRUE(none->isChecked());

    LampCard* candle = named<LampCard>(pane, u"Candle"_s);
    QTest::mouseClick(candle, Qt::LeftButton);
    EXPECT_FALSE(none->isChecked());
    candle->setFocus();
    QTest::keyClick(none, Qt::Key_Space);
    EXPECT_EQ(settings().lamp.id, std::nullopt);
    EXPECT_FALSE(candle->isChecked());
}

} // namespace
} // namespace tessel
