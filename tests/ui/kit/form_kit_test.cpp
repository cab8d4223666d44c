#include "ui/kit/FloatSlider.h"
#include "ui/kit/FormPage.h"
#include "ui/kit/FormSection.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <gtest/gtest.h>

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

// Values set from outside are kept exactly, or within range, without a signal; what the user
// chooses is announced.
TEST(FloatSliders, ShowValuesQuietlyInRangeAndAnnounceWhatTheUserChooses) {
    FloatSlider slider(6, 64);
    QSignalSpy moved(&slider, &FloatSlider::moved);
    slider.setValue(17.25);
    EXPECT_DOUBLE_EQ(slider.value(), 17.25);
    slider.setValue(200);
    EXPECT_DOUBLE_EQ(slider.value(), 64);
    slider.setValue(std::nan(""));
    EXPECT_DOUBLE_EQ(slider.value(), 6);
    EXPECT_EQ(moved.count(), 0);

    QTest::keyClick(&slider, Qt::Key_End);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_DOUBLE_EQ(moved.at(0).at(0).toDouble(), 64);
    QTest::keyClick(&slider, Qt::Key_PageDown);
    EXPECT_NEAR(slider.value(), 64 - 0.1 * (64 - 6), 1e-9);
}

TEST(FormSections, ShowAFooterOnlyWithText) {
    FormSection section(u"Collections"_s);
    EXPECT_TRUE(section.footer()->isHidden());
    section.setFooter(u"Any touch brings your work back."_s);
    EXPECT_FALSE(section.footer()->isHidden());
    section.setFooter({});
    EXPECT_TRUE(section.footer()->isHidden());
}

void turnWheel(QWidget& widget) {
    const QPointF centre = QRectF(widget.rect()).center();
    QWheelEvent wheel(centre, widget.mapToGlobal(centre), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
}

TEST(FormPages, AWheelOverAPickerScrollsThePageUntilThePickerIsChosen) {
    FormPage page;
    page.resize(400, 200);
    QComboBox* picker = nullptr;
    for (int section = 0; section < 8; ++section) {
        picker = new QComboBox;
        picker->addItems({u"One"_s, u"Two"_s, u"Three"_s});
        page.addSection()->addRow(u"Pick"_s, picker);
    }
    page.show();
    picker = page.findChildren<QComboBox*>().at(1);
    turnWheel(*picker);
    EXPECT_EQ(picker->currentIndex(), 0);
    EXPECT_GT(page.verticalScrollBar()->value(), 0);

    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    picker->setFocus();
    turnWheel(*picker);
    EXPECT_EQ(picker->currentIndex(), 1);
}

} // namespace
} // namespace tessel
