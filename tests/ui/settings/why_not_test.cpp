#include "ui/UiTest.h"
#include "ui/kit/Toggle.h"
#include "ui/popover/PopoverView.h"
#include "ui/popover/ToolChip.h"
#include "ui/settings/AppsPane.h"
#include "ui/settings/FocusPane.h"
#include "ui/settings/GeneralPane.h"
#include "ui/settings/ShortcutsPane.h"

#include <QKeySequenceEdit>

namespace tessel {
namespace {

const QString noPointer = u"No pointer here."_s;
const QString noWindow = u"No front window here."_s;
const QString noApp = u"No front app here."_s;
const QString noShortcuts = u"No shortcuts here."_s;
const QString noHiding = u"This desktop does not let apps hide from screenshots."_s;
const QString hideLabel = u"Hide paper from screenshots and recordings"_s;

using WhyNot = PaneTest;

// What this desktop cannot do is disabled, with the reason beside it, or left out.
TEST_F(WhyNot, ControlsNeedingWhatTheDesktopKeepsSayWhy) {
    EXPECT_TRUE(named<Toggle>(show<GeneralPane>(), hideLabel)->isEnabled())
        << "offered where the desktop can hide";
    edit([](Settings& s) { s.hideFromScreenshots = true; });
    platform.setUnavailable(DesktopAbility::pointer, noPointer);
    platform.setUnavailable(DesktopAbility::frontWindow, noWindow);
    platform.setUnavailable(DesktopAbility::frontApp, noApp);
    platform.setUnavailable(DesktopAbility::globalShortcuts, noShortcuts);
    platform.setUnavailable(DesktopAbility::hideFromCapture, noHiding);

    const PopoverView popover(*store, PopoverView::Actions{[] {}, [] {}});
    const ToolChip& chip = *popover.chips().at(1);
    EXPECT_FALSE(chip.isEnabled());
    EXPECT_EQ(chip.toolTip(), noPointer);

    const FocusPane& focus = show<FocusPane>();
    const auto* ruler = named<Toggle>(focus, u"Reading Ruler"_s);
    EXPECT_FALSE(ruler->isEnabled());
    EXPECT_EQ(ruler->accessibleDescription(), noPointer);
    EXPECT_TRUE(visibleTexts(focus).contains(noPointer));
    EXPECT_TRUE(visibleTexts(focus).contains(noWindow));
    EXPECT_TRUE(visibleTexts(show<AppsPane>()).contains(noApp));

    const ShortcutsPane& shortcuts = show<ShortcutsPane>();
    EXPECT_TRUE(visibleTexts(shortcuts).contains(noShortcuts));
    EXPECT_TRUE(visibleTexts(shortcuts).contains(u"tessel shortcut run readingRuler"_s));
    EXPECT_TRUE(shortcuts.findChildren<QKeySequenceEdit*>().isEmpty());

    const GeneralPane& general = show<GeneralPane>();
    const Toggle* hide = named<Toggle>(general, hideLabel);
    EXPECT_FALSE(hide->isEnabled());
    EXPECT_TRUE(hide->isChecked()) << "the stored choice still shows";
    EXPECT_TRUE(visibleTexts(general).contains(noHiding));
    EXPECT_FALSE(visibleTexts(general).contains(u"Trackpad feedback"));
}

} // namespace
} // namespace tessel
