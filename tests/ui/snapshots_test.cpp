#include "UiFixture.h"
#include "ui/popover/PopoverView.h"
#include "ui/welcome/WelcomeView.h"

#include <QDir>

namespace tessel {
namespace {

// Renders the popover and every welcome step, in both appearances, into the build folder
// for a person to look at; checks only that each came out whole.
class Snapshots : public UiTest {
protected:
    void SetUp() override {
        startStore();
        ASSERT_TRUE(previewsReady());
        QDir().mkpath(folder());
    }

    static QString folder() { return QStringLiteral(TESSEL_SNAPSHOT_DIR); }

    static void save(QWidget& widget, const QString& name) {
        const QPixmap picture = widget.grab();
        ASSERT_FALSE(picture.isNull());
        ASSERT_TRUE(picture.save(folder() + u'/' + name + QStringLiteral(".png")));
    }
};

TEST_F(Snapshots, Popover) {
    PopoverView popover(*store, {[] {}, [] {}});
    for (const bool dark : {false, true}) {
        platform.setDark(dark);
        for (const bool night : {false, true}) {
            store->setEditingNight(night);
            store->snooze(night ? std::optional(3600.0) : std::nullopt);
            popover.popUp(QRect(1380, 0, 24, 24));
            EXPECT_GE(popover.height(), 560);
            save(popover, QStringLiteral("popover-%1-%2")
                              .arg(dark ? "dark" : "light", night ? "night-snoozed" : "day"));
            popover.close();
        }
    }
}

TEST_F(Snapshots, Welcome) {
    for (const bool dark : {false, true}) {
        platform.setDark(dark);
        WelcomeView view(*store, {[] {}, [] {}, [] {},
                                  [](qreal scale, const QColor& ink) {
                                      QImage icon(QSize(14, 16) * scale,
                                                  QImage::Format_ARGB32_Premultiplied);
                                      icon.fill(ink);
                                      return icon;
                                  },
                                  [] { return IconPlace::top; }});
        for (int step = 0; step < WelcomeView::steps; ++step) {
            view.setStep(step);
            save(view, QStringLiteral("welcome-%1-step%2").arg(dark ? "dark" : "light").arg(step));
        }
    }
}

} // namespace
} // namespace tessel
