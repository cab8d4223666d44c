#include "ui/kit/PaperGrid.h"
#include "ui/kit/Swatch.h"
#include "ui/kit/WeightRuler.h"
#include "ui/settings/LampCard.h"
#include "ui/settings/LampPane.h"
#include "ui/settings/PanesFixture.h"
#include "ui/settings/PapersPane.h"
#include "ui/settings/SlotEditor.h"

#include <QMap>

#include <limits>

namespace tessel {
namespace {

using PapersPaneTest = PanesTest;

Swatch* swatchOf(const SlotEditor& editor, const QString& paperId) {
    for (Swatch* swatch : editor.grid()->swatches()) {
        if (swatch->paper().id == paperId) {
            return swatch;
        }
    }
    return nullptr;
}

TEST_F(PapersPaneTest, EachEditorChoosesThePaperOfItsOwnSlotKeepingTheWeight) {
    edit([](Settings& s) {
        s.day = {QStringLiteral("kozo"), 90};
        s.night = {QStringLiteral("felt"), 210};
    });
    SettingsContext made = context();
    PapersPane pane(made);
    EXPECT_EQ(pane.day()->grid()->swatches().size(), Paper::all({}).size());
    EXPECT_EQ(pane.day()->shownName(), Paper::find(QStringLiteral("kozo"), {}).name);

    QTest::mouseClick(swatchOf(*pane.night(), QStringLiteral("graph")), Qt::LeftButton);
    EXPECT_EQ(settings().night, (Slot{QStringLiteral("graph"), 210}));
    EXPECT_EQ(settings().day, (Slot{QStringLiteral("kozo"), 90}));
    EXPECT_EQ(pane.night()->shownName(), Paper::find(QStringLiteral("graph"), {}).name);
    EXPECT_TRUE(swatchOf(*pane.night(), QStringLiteral("graph"))->isChecked());
    EXPECT_FALSE(swatchOf(*pane.day(), QStringLiteral("graph"))->isChecked());

    QTest::keyClick(pane.day()->ruler(), Qt::Key_Right);
    EXPECT_EQ(settings().day.gsm, 100);
    EXPECT_EQ(settings().night.gsm, 210);
}

TEST_F(PapersPaneTest, SwatchesFillTheirRowsEvenlyUnderARulerJustAsWide) {
    SettingsContext made = context();
    PapersPane pane(made);
    pane.show();
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

using LampPaneTest = PanesTest;

TEST_F(LampPaneTest, CardsChooseALampOrNone) {
    SettingsContext made = context();
    LampPane pane(made);
    const QList<LampCard*> cards = pane.cards();
    ASSERT_EQ(cards.size(), Lamp::presets().size() + 1);
    EXPECT_EQ(cards.front()->accessibleName(), u"No Lamp");
    EXPECT_EQ(cards.front()->note(), u"Paper only");
    EXPECT_TRUE(cards.front()->isChecked());

    LampCard* candle = button<LampCard>(pane, QStringLiteral("Candle"));
    ASSERT_NE(candle, nullptr);
    QTest::mouseClick(candle, Qt::LeftButton);
    EXPECT_EQ(settings().lamp.id, QStringLiteral("candle"));
    EXPECT_TRUE(candle->isChecked());
    EXPECT_FALSE(cards.front()->isChecked());

    candle->setFocus();
    QTest::keyClick(button<LampCard>(pane, QStringLiteral("No Lamp")), Qt::Key_Space);
    EXPECT_EQ(settings().lamp.id, std::nullopt);
    EXPECT_FALSE(candle->isChecked());
}

TEST_F(LampPaneTest, StrengthSliderWritesAndFollowsTheStore) {
    SettingsContext made = context();
    LampPane pane(made);
    FloatSlider* strength = pane.strength();
    EXPECT_EQ(strength->low(), 0.15);
    EXPECT_EQ(strength->high(), 1);
    EXPECT_DOUBLE_EQ(strength->value(), settings().lamp.strength);
    QTest::keyClick(strength, Qt::Key_End);
    EXPECT_DOUBLE_EQ(settings().lamp.strength, 1);

    edit([](Settings& s) { s.lamp.strength = 0.3; });
    EXPECT_DOUBLE_EQ(strength->value(), 0.3);
}

} // namespace
} // namespace tessel
