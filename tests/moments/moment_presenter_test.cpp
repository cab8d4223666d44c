#include "MachineTest.h"
#include "moments/MomentPresenter.h"

namespace tessel {
namespace {

class Blank final : public MomentView {
public:
    void appear() override {}
    void paint(QPainter& painter, QSizeF size) override {
        painter.fillRect(QRectF(QPointF(0, 0), size), Qt::black);
    }
};

class Presenter : public MachineTest {
protected:
    Presenter() {
        platform.setScreens({screen(u"A"_s), screen(u"B"_s, {1440, 0, 1920, 1080})});
        platform.setReduceMotion(true);
        platform.activateApp(app(u"org.gnome.TextEditor"_s, 42));
    }

    void show(std::chrono::milliseconds fadeIn = 0ms) {
        presenter.show([](const ScreenInfo&) { return std::make_unique<Blank>(); }, [] {}, fadeIn);
    }

    MomentPresenter presenter{platform};
};

// Taking the keyboard is for the desktops' own tests, where a window manager hands it over.
TEST_F(Presenter, CoversEveryScreenOnceAndGivesTheFocusBackOnHiding) {
    show();
    ASSERT_EQ(presenter.windows().size(), 2U);
    EXPECT_EQ(presenter.windows()[1]->geometry().size(), QSize(1920, 1080));
    for (const auto& window : presenter.windows()) {
        EXPECT_TRUE(window->isVisible());
    }
    const MomentWindow* first = presenter.windows()[0].get();
    platform.activateApp(app(u"org.mozilla.firefox"_s, 43));
    show();
    EXPECT_EQ(presenter.windows().size(), 2U);
    EXPECT_EQ(presenter.windows()[0].get(), first);

    presenter.hide();
    presenter.hide();
    EXPECT_EQ(platform.broughtToFront(), QList<AppInfo>({app(u"org.gnome.TextEditor"_s, 42)}));
}

TEST_F(Presenter, LeavesTheFocusAloneAfterTesselsOwnWindow) {
    platform.activateApp(app(u"com.corvane.Tessel"_s, 7));
    show();
    presenter.hide();
    EXPECT_TRUE(platform.broughtToFront().isEmpty());
}

// With reduced motion windows come and go at once.
TEST_F(Presenter, FadesInAndOutUnlessMotionIsReduced) {
    for (const bool reduced : {true, false}) {
        SCOPED_TRACE(reduced);
        platform.setReduceMotion(reduced);
        show(200ms);
        QPointer<MomentWindow> window = presenter.windows()[0].get();
        EXPECT_EQ(window->opacity(), reduced ? 1 : 0);
        EXPECT_TRUE(waitFor([&] { return window->opacity() == 1; }, 5s));
        presenter.hide();
        EXPECT_FALSE(presenter.isShowing());
        ASSERT_TRUE(window);
        EXPECT_EQ(window->isVisible(), !reduced) << "fading out";
        EXPECT_TRUE(waitFor([&] { return window.isNull(); }, 5s));
    }
}

TEST_F(Presenter, ShowsNothingWithoutScreens) {
    platform.setScreens({});
    show();
    EXPECT_FALSE(presenter.isShowing());
    EXPECT_EQ(presenter.previousApp(), app(u"org.gnome.TextEditor"_s, 42));
}

} // namespace
} // namespace tessel
