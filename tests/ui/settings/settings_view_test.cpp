#include "ui/UiTest.h"
#include "ui/settings/PaneSidebar.h"
#include "ui/settings/SettingsView.h"

namespace tessel {
namespace {

using SettingsViewTest = PaneTest;

TEST_F(SettingsViewTest, ShowsGeneralUntilAPaneIsChosenInTheSidebarThenItUnderItsTitle) {
    SettingsView view(context());
    auto* sidebar = view.findChild<PaneSidebar*>();
    ASSERT_NE(sidebar, nullptr);
    EXPECT_FALSE(view.pane().has_value());
    EXPECT_TRUE(visibleTexts(view).contains(u"How Tessel behaves day to day."));

    sidebar->setCurrentRow(static_cast<int>(Pane::schedule));
    EXPECT_EQ(view.pane(), Pane::schedule);
    const QStringList texts = visibleTexts(view);
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

} // namespace
} // namespace tessel
