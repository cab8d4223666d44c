#include "ui/UiTest.h"

#include <QAccessible>

#include <limits>

namespace tessel {
namespace {

TEST(WeightRulerRule, MapsThePointerToAStepAndNamesTheWeightClass) {
    const double w = 304;
    // Where the pointer is and the weight it chooses.
    const std::pair<double, double> cases[] = {
        // Beyond the ends, and nowhere; the ends themselves and points between steps are
        // reached by the popover's and Welcome's clicks.
        {-40, 60},
        {std::numeric_limits<double>::quiet_NaN(), 60},
        {w + 50, 300},
        // 65 lies halfway between two steps and rounds away from zero.
        {w * 5 / 240, 70},
        {w * 4.9 / 240, 60},
    };
    for (const auto& [x, gsm] : cases) {
        EXPECT_EQ(WeightRuler::valueAt(x, w, 60, 300, 10), gsm) << "x = " << x;
    }

    const std::pair<double, const char*> classes[] = {
        {60, "Light"},          {99.9, "Light"},       {100, "Text weight"},
        {169.9, "Text weight"}, {170, "Cover weight"}, {239.9, "Cover weight"},
        {240, "Board"},         {300, "Board"}};
    for (const auto& [gsm, name] : classes) {
        EXPECT_EQ(WeightRuler::weightClass(gsm), QString::fromLatin1(name)) << gsm;
    }
}

class WeightRulerWidget : public UiTest {
protected:
    WeightRulerWidget() {
        ruler.resize(304 + 2 * WeightRuler::overhang, ruler.sizeHint().height());
        ruler.show();
        QObject::connect(&ruler, &WeightRuler::chosen, [this](double gsm) { chosen.append(gsm); });
    }

    QPoint at(double fraction) const { return onRuler(ruler, fraction); }

    WeightRuler ruler;
    QList<double> chosen;
};

TEST_F(WeightRulerWidget, AFullDragPassesEveryStepOnce) {
    ruler.setGsm(60);
    QTest::mousePress(&ruler, Qt::LeftButton, {}, at(0));
    for (int x = at(0).x(); x <= at(1).x() + 20; ++x) {
        QTest::mouseMove(&ruler, QPoint(x, at(0).y()));
    }
    QTest::mouseRelease(&ruler, Qt::LeftButton, {}, at(1) + QPoint(20, 0));
    QList<double> expected;
    for (int gsm = 70; gsm <= 300; gsm += 10) {
        expected.append(gsm);
    }
    // Showing the 60 it started on is not a choice.
    EXPECT_EQ(chosen, expected);
    EXPECT_EQ(ruler.shownClass(), u"Board"_s);
}

TEST_F(WeightRulerWidget, IsASliderNamedPaperWeightToAssistiveTechnology) {
    ruler.setGsm(150);
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&ruler);
    ASSERT_TRUE(access);
    EXPECT_EQ(access->role(), QAccessible::Slider);
    EXPECT_EQ(access->text(QAccessible::Name), u"Paper weight"_s);
    QAccessibleValueInterface* value = access->valueInterface();
    ASSERT_TRUE(value);
    EXPECT_EQ(value->minimumValue().toInt(), 60);
    EXPECT_EQ(value->maximumValue().toInt(), 300);
    EXPECT_EQ(value->minimumStepSize().toInt(), 10);
    EXPECT_EQ(value->currentValue().toInt(), 150);
}

} // namespace
} // namespace tessel
