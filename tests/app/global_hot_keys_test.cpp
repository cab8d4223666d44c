#include "ChildProcess.h"
#include "DesktopTest.h"
#include "platform/x11/GlobalHotKeys.h"

#include <QProcess>

namespace tessel {
namespace {

using test::waitUntil;

class GlobalHotKeysTest : public test::DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        if (!IsSkipped() && !test::hasProgram("xdotool")) {
            GTEST_SKIP() << "xdotool is not installed";
        }
    }

    static void press(const char* keys) {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"),
                      {QStringLiteral("key"), QString::fromLatin1(keys)});
        ASSERT_TRUE(xdotool.waitForFinished(10000));
        ASSERT_EQ(xdotool.exitCode(), 0);
    }

    const QKeyCombination ctrlAltP{Qt::ControlModifier | Qt::AltModifier, Qt::Key_P};
};

TEST_F(GlobalHotKeysTest, APressAnywhereRunsTheBoundName) {
    GlobalHotKeys hotKeys;
    QStringList pressed;
    hotKeys.setHandler([&](const QString& name) { pressed << name; });
    ASSERT_EQ(hotKeys.bind(QStringLiteral("togglePaper"), ctrlAltP), HotKeys::Grab::ok);
    ASSERT_EQ(hotKeys.bind(QStringLiteral("nextPaper"),
                           QKeyCombination(Qt::MetaModifier | Qt::ShiftModifier, Qt::Key_F2)),
              HotKeys::Grab::ok);

    press("ctrl+alt+p");
    ASSERT_TRUE(waitUntil([&] { return pressed.size() == 1; }));
    EXPECT_EQ(pressed.last(), QStringLiteral("togglePaper"));
    press("super+shift+F2");
    ASSERT_TRUE(waitUntil([&] { return pressed.size() == 2; }));
    EXPECT_EQ(pressed.last(), QStringLiteral("nextPaper"));

    // Caps Lock on must not get in the way.
    press("Caps_Lock");
    press("ctrl+alt+p");
    press("Caps_Lock");
    ASSERT_TRUE(waitUntil([&] { return pressed.size() == 3; }));

    hotKeys.unbind(QStringLiteral("togglePaper"));
    press("ctrl+alt+p");
    press("super+shift+F2");
    ASSERT_TRUE(waitUntil([&] { return pressed.size() == 4; }));
    EXPECT_EQ(pressed.last(), QStringLiteral("nextPaper"));
}

TEST_F(GlobalHotKeysTest, KeysAnotherProgramHoldsAreTaken) {
    GlobalHotKeys other;
    ASSERT_EQ(other.bind(QStringLiteral("theirs"), ctrlAltP), HotKeys::Grab::ok);
    GlobalHotKeys ours;
    EXPECT_EQ(ours.bind(QStringLiteral("togglePaper"), ctrlAltP), HotKeys::Grab::taken);
    other.unbind(QStringLiteral("theirs"));
    EXPECT_EQ(ours.bind(QStringLiteral("togglePaper"), ctrlAltP), HotKeys::Grab::ok);
}

} // namespace
} // namespace tessel
