#include "ui/UiTest.h"
#include "ui/kit/ElidedLabel.h"
#include "ui/kit/LitPaper.h"
#include "ui/kit/Spring.h"

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
    const QString name = u"<b>A very long paper name</b> that goes on and on"_s;
    ElidedLabel label(name);
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    label.show();
    label.resize(label.minimumSizeHint().width() * 4, label.sizeHint().height());
    EXPECT_TRUE(label.text().endsWith(u"\u2026"_s)) << label.text().toStdString();
    EXPECT_TRUE(label.toolTip().contains(u"&lt;b&gt;A very long"_s));

    label.resize(label.sizeHint());
    EXPECT_EQ(label.text(), name);
    EXPECT_TRUE(label.toolTip().isEmpty());
}

bool near(QPointF a, QPointF b) {
    return (a - b).manhattanLength() < 0.5;
}

TEST(LitPaperLight, FollowsThePointerAtOnceAndSpringsBackAboveTheTopWhenItLeaves) {
    LitPaper sheet(Spring{0.9, 1}, nullptr);
    sheet.resize(300, 188);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    EXPECT_EQ(sheet.restingLight(), QPointF(60, -50));

    for (const QPointF pointer : {QPointF(200, 120), QPointF(40, 30)}) {
        QMouseEvent move(QEvent::MouseMove, pointer, sheet.mapToGlobal(pointer), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&sheet, &move);
        EXPECT_EQ(sheet.light(), pointer);
    }

    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&sheet, &leave);
    EXPECT_FALSE(near(sheet.light(), sheet.restingLight()));
    EXPECT_TRUE(waitFor([&] { return near(sheet.light(), sheet.restingLight()); }));
}

} // namespace
} // namespace tessel
