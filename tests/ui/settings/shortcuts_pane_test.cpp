#include "doubles/FakeHotKeys.h"
#include "shortcuts/ShortcutRegistry.h"
#include "ui/UiTest.h"
#include "ui/settings/ShortcutsPane.h"

#include <QKeySequenceEdit>
#include <QLineEdit>

namespace tessel {
namespace {

class ShortcutsPaneTest : public PaneTest {
protected:
    std::optional<QKeyCombination> stored() {
        return ShortcutRegistry::stored(platform.defaults(), u"nextPaper"_s);
    }

    static QString shown(const QKeySequenceEdit& edit) {
        return edit.findChild<QLineEdit*>()->text();
    }

    FakeHotKeys hotKeys;
};

TEST_F(ShortcutsPaneTest, RecordsAGrabbedCombinationAndKeepsItWhenANewOneIsRefused) {
    ShortcutRegistry registry(*store, hotKeys);
    ShortcutsPane& pane = show<ShortcutsPane>(&registry);
    auto* edit = named<QKeySequenceEdit>(pane, u"Next paper"_s);
    ASSERT_NE(edit, nullptr);
    const QKeyCombination keys(Qt::ControlModifier | Qt::AltModifier, Qt::Key_N);

    QTest::keyClick(edit, Qt::Key_N, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(stored(), keys);
    EXPECT_EQ(hotKeys.bound().value("nextPaper"), keys);
    EXPECT_EQ(shown(*edit), u"Ctrl+Alt+N");

    hotKeys.takeElsewhere(QKeyCombination(Qt::MetaModifier, Qt::Key_M));
    QTest::keyClick(edit, Qt::Key_M, Qt::MetaModifier);
    EXPECT_TRUE(visibleTexts(pane).contains(
        u"Super+M is already used by another program. Choose another combination."));
    QTest::keyClick(edit, Qt::Key_K);
    EXPECT_TRUE(visibleTexts(pane).contains(
        u"Hold Ctrl, Alt or Super with the key, or use a function key."));
    EXPECT_EQ(stored(), keys);
    EXPECT_EQ(hotKeys.bound().value("nextPaper"), keys);
    EXPECT_EQ(shown(*edit), u"Ctrl+Alt+N");

    QTest::mouseClick(named(pane, u"Clear Next paper"_s), Qt::LeftButton);
    EXPECT_EQ(platform.defaults().value("KeyboardShortcuts_nextPaper"), UserDefaults::Json(false));
    EXPECT_FALSE(hotKeys.bound().contains("nextPaper"));
    EXPECT_EQ(shown(*edit), QString());
    EXPECT_FALSE(visibleTexts(pane).join(u' ').contains(u"Hold Ctrl"));
}

TEST_F(ShortcutsPaneTest, WithoutGlobalShortcutsTheRowsOnlyShow) {
    ShortcutRegistry::store(platform.defaults(), u"nextPaper"_s,
                            QKeyCombination(Qt::ControlModifier, Qt::Key_F5));
    ShortcutsPane& pane = show<ShortcutsPane>();
    auto* edit = named<QKeySequenceEdit>(pane, u"Next paper"_s);
    ASSERT_NE(edit, nullptr);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_EQ(shown(*edit), u"Ctrl+F5");
    EXPECT_TRUE(
        visibleTexts(pane).contains(u"Global shortcuts are not available on this desktop."));
}

} // namespace
} // namespace tessel
