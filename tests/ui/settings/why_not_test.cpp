#include "ui/UiTest.h"
#include "ui/kit/Toggle.h"
#include "ui/popover/PopoverView.h"
#include "ui/popover/ToolChip.h"
#include "ui/settings/AppsPane.h"
#include "ui/settings/FocusPane.h"
#include "ui/settings/ShortcutsPane.h"

#include <QKeySequenceEdit>

namespace tessel {
namespace {

const QString noPointer = u"No pointer here."_s;
const QString noWindow = u"No front window here."_s;
const QString noApp = u"No front app here."_s;
const QString noShortcuts = u"No shortcuts here."_s;

class WhyNot : public PaneTest {
protected:
    void keep() {
        platform.setUnavailable(DesktopAbility::pointer, noPointer);
        platform.setUnavailable(DesktopAbility::frontWindow, noWindow);
        platform.setUnavailable(DesktopAbility::frontApp, noApp);
        platform.setUnavailable(DesktopAbility::globalShortcuts, noShortcuts);
    }

    ToolChip& rulerChip() {
        popover = std::make_unique<PopoverView>(*store, PopoverView::Actions{[] {}, [] {}});
        return *popover->chips().at(1);
    }

    std::unique_ptr<PopoverView> popover;
};

TEST_F(WhyNot, ControlsNeedingWhatTheDesktopKeepsSayWhy) {
    keep();
    const ToolChip& chip = rulerChip();
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
}

} // namespace
} // namespace tessel
