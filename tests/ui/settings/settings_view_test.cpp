#include "studio/Studio.h"
#include "studio/StudioPane.h"
#include "ui/UiFixture.h"
#include "ui/settings/PaneSidebar.h"
#include "ui/settings/SettingsView.h"

#include <QDir>
#include <QLabel>

namespace tessel {
namespace {

class SettingsViewTest : public UiTest {
protected:
    void SetUp() override { startStore(); }

    SettingsContext context() {
        return {*store, [this] { ++welcomes; }, {}, nullptr};
    }

    static QStringList labels(const QWidget& widget) {
        QStringList texts;
        for (const QLabel* label : widget.findChildren<QLabel*>()) {
            texts << label->text();
        }
        return texts;
    }

    int welcomes = 0;
};

TEST_F(SettingsViewTest, ListsThePanesAndShowsGeneralUntilOneIsChosen) {
    SettingsView view(context());
    const auto* sidebar = view.findChild<PaneSidebar*>();
    ASSERT_NE(sidebar, nullptr);
    ASSERT_EQ(sidebar->count(), 10);
    EXPECT_EQ(sidebar->item(0)->text(), u"General");
    EXPECT_EQ(sidebar->item(2)->text(), u"Paper Studio");
    EXPECT_EQ(sidebar->item(9)->text(), u"Shortcuts");
    EXPECT_FALSE(view.pane().has_value());
    EXPECT_EQ(view.shownPane(), Pane::general);
    EXPECT_TRUE(labels(view).contains(u"How Tessel behaves day to day."));
}

TEST_F(SettingsViewTest, ChoosingAPaneInTheSidebarShowsItUnderItsTitle) {
    SettingsView view(context());
    QWidget* general = view.content();
    view.findChild<PaneSidebar*>()->setCurrentRow(static_cast<int>(Pane::schedule));
    EXPECT_EQ(view.pane(), Pane::schedule);
    EXPECT_NE(view.content(), general);
    const QStringList texts = labels(view);
    EXPECT_TRUE(texts.contains(u"Schedule"));
    EXPECT_TRUE(texts.contains(u"When paper turns itself on."));
    EXPECT_FALSE(texts.contains(u"How Tessel behaves day to day."));
}

TEST_F(SettingsViewTest, FollowsTheAppearance) {
    SettingsView view(context());
    const QColor light = view.palette().color(QPalette::Window);
    platform.setDark(true);
    EXPECT_LT(view.palette().color(QPalette::Window).lightness(), light.lightness());
}

// Renders every pane in both appearances into the build folder for a person to look at;
// checks only that each came out whole.
TEST_F(SettingsViewTest, Snapshots) {
    ASSERT_TRUE(previewsReady());
    const QString folder = QStringLiteral(TESSEL_SNAPSHOT_DIR);
    QDir().mkpath(folder);
    platform.setReduceMotion(true);
    for (const bool dark : {false, true}) {
        platform.setDark(dark);
        SettingsView view(context());
        view.resize(840, 600);
        view.show();
        for (const PaneInfo& info : paneInfos()) {
            view.setPane(info.pane);
            QCoreApplication::processEvents();
            if (const auto* pane = qobject_cast<StudioPane*>(view.content())) {
                ASSERT_TRUE(waitFor([pane] { return pane->studio().preview().has_value(); }));
            }
            const QPixmap picture = view.grab();
            ASSERT_FALSE(picture.isNull());
            const QString name = info.title.toLower().replace(u' ', u'-');
            ASSERT_TRUE(picture.save(
                QStringLiteral("%1/%2-%3.png").arg(folder, name, dark ? "dark" : "light")));
        }
    }
}

} // namespace
} // namespace tessel
