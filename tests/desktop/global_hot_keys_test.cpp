#include "TestDesktop.h"
#include "platform/x11/GlobalHotKeys.h"

namespace tessel {

using namespace Qt::StringLiterals;
namespace {

class GlobalHotKeysTest : public test::DesktopTest {
protected:
    static void press(const char* keys) {
        ASSERT_TRUE(test::xdotool({u"key"_s, QString::fromLatin1(keys)}));
    }

    const QKeyCombination ctrlAltP{Qt::ControlModifier | Qt::AltModifier, Qt::Key_P};
};

TEST_F(GlobalHotKeysTest, APressAnywhereRunsTheBoundName) {
    GlobalHotKeys hotKeys;
    QStringList pressed;
    hotKeys.setHandler([&](const QString& name) { pressed << name; });
    ASSERT_EQ(hotKeys.bind(u"togglePaper"_s, ctrlAltP), HotKeys::Grab::ok);
    ASSERT_EQ(hotKeys.bind(u"nextPaper"_s,
                           QKeyCombination(Qt::MetaModifier | Qt::ShiftModifier, Qt::Key_F2)),
              HotKeys::Grab::ok);

    press("ctrl+alt+p");
    ASSERT_TRUE(waitFor([&] { return pressed.size() == 1; }));
    EXPECT_EQ(pressed.last(), u"togglePaper"_s);
    press("super+shift+F2");
    ASSERT_TRUE(waitFor([&] { return pressed.size() == 2; }));
    EXPECT_EQ(pressed.last(), u"nextPaper"_s);

    // Caps Lock on must not get in the way.
    press("Caps_Lock");
    press("ctrl+alt+p");
    press("Caps_Lock");
    ASSERT_TRUE(waitFor([&] { return pressed.size() == 3; }));

    hotKeys.unbind(u"togglePaper"_s);
    press("ctrl+alt+p");
    press("super+shift+F2");
    ASSERT_TRUE(waitFor([&] { return pressed.size() == 4; }));
    EXPECT_EQ(pressed.last(), u"nextPaper"_s);
}

TEST_F(GlobalHotKeysTest, KeysAnotherProgramHoldsAreTaken) {
    GlobalHotKeys other;
    ASSERT_EQ(other.bind(u"theirs"_s, ctrlAltP), HotKeys::Grab::ok);
    GlobalHotKeys ours;
    EXPECT_EQ(ours.bind(u"togglePaper"_s, ctrlAltP), HotKeys::Grab::taken);
    other.unbind(u"theirs"_s);
    EXPECT_EQ(ours.bind(u"togglePaper"_s, ctrlAltP), HotKeys::Grab::ok);
}

} // namespace
} // namespace tessel
