#include "MachineTest.h"
#include "doubles/FakeHotKeys.h"
#include "shortcuts/ShortcutKeys.h"
#include "shortcuts/ShortcutRegistry.h"

namespace tessel {
namespace {

using Json = nlohmann::ordered_json;

TEST(ShortcutKeys, ParsesWhatPeopleTypeAndWritesItBackPlainly) {
    struct Case {
        const char* typed;
        QKeyCombination keys;
        const char* written;
    };
    const Case cases[] = {
        {"Ctrl+Alt+P", QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_P),
         "Ctrl+Alt+P"},
        {"alt + ctrl + p", QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_P),
         "Ctrl+Alt+P"},
        {"Super+Shift+F1", QKeyCombination(Qt::MetaModifier | Qt::ShiftModifier, Qt::Key_F1),
         "Shift+Super+F1"},
        {"Cmd+Option+Space", QKeyCombination(Qt::MetaModifier | Qt::AltModifier, Qt::Key_Space),
         "Alt+Super+Space"},
        {"F9", QKeyCombination(Qt::NoModifier, Qt::Key_F9), "F9"},
        {"Control+Shift+Left",
         QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Left), ""},
    };
    for (const Case& c : cases) {
        const auto keys = ShortcutKeys::parse(QString::fromLatin1(c.typed));
        if (*c.written == '\0') {
            EXPECT_FALSE(keys) << c.typed; // arrows have no code in the stored form
            continue;
        }
        ASSERT_TRUE(keys) << c.typed;
        EXPECT_EQ(*keys, c.keys) << c.typed;
        EXPECT_EQ(ShortcutKeys::format(*keys), QString::fromLatin1(c.written));
    }
}

TEST(ShortcutKeys, RefusesWhatTypingWouldTrigger) {
    for (const char* typed :
         {"P", "Shift+P", "Ctrl+Ctrl+P", "Hyper+P", "Ctrl+", "Ctrl+Alt+PP", "", "Ctrl+Alt+P+Q"}) {
        EXPECT_FALSE(ShortcutKeys::parse(QString::fromLatin1(typed))) << typed;
    }
}

TEST(ShortcutKeys, StoresClassicKeyCodesAndModifierBits) {
    const QKeyCombination keys(Qt::ControlModifier | Qt::AltModifier, Qt::Key_P);
    EXPECT_EQ(*ShortcutKeys::toJson(keys),
              (Json{{"carbonKeyCode", 35}, {"carbonModifiers", 6144}}));
    const QKeyCombination every(
        Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier | Qt::MetaModifier, Qt::Key_A);
    EXPECT_EQ(*ShortcutKeys::toJson(every),
              (Json{{"carbonKeyCode", 0}, {"carbonModifiers", 256 + 512 + 2048 + 4096}}));
    for (const QKeyCombination k : {keys, every, QKeyCombination(Qt::MetaModifier, Qt::Key_F12)}) {
        EXPECT_EQ(ShortcutKeys::fromJson(*ShortcutKeys::toJson(k)), k);
    }
    for (const Json& bad : {Json(false), Json{{"carbonKeyCode", 35}},
                            Json{{"carbonKeyCode", "35"}, {"carbonModifiers", 4096}},
                            Json{{"carbonKeyCode", 999}, {"carbonModifiers", 4096}},
                            Json{{"carbonKeyCode", 35}, {"carbonModifiers", 0}}}) {
        EXPECT_FALSE(ShortcutKeys::fromJson(bad)) << bad.dump();
    }
}

class ShortcutRegistryTest : public MachineTest {
protected:
    FakeHotKeys hotKeys;
    const QKeyCombination ctrlAltP{Qt::ControlModifier | Qt::AltModifier, Qt::Key_P};
    const QKeyCombination ctrlAltR{Qt::ControlModifier | Qt::AltModifier, Qt::Key_R};
};

TEST_F(ShortcutRegistryTest, StoredCombinationsRunTheirActions) {
    ASSERT_TRUE(platform.defaults().setValue("KeyboardShortcuts_togglePaper",
                                             *ShortcutKeys::toJson(ctrlAltP)));
    ASSERT_TRUE(platform.defaults().setValue("KeyboardShortcuts_readingRuler", false));
    startStore();
    ShortcutRegistry registry(*store, hotKeys);
    EXPECT_TRUE(registry.registerAll().isEmpty());
    EXPECT_EQ(hotKeys.bound().keys(), QList<QString>{u"togglePaper"_s});
    hotKeys.press(ctrlAltP);
    EXPECT_FALSE(store->settings().enabled);
}

TEST_F(ShortcutRegistryTest, ACombinationHeldElsewhereIsReportedAndNotStored) {
    startStore();
    ShortcutRegistry registry(*store, hotKeys);
    ASSERT_FALSE(registry.set(u"readingRuler"_s, ctrlAltR));
    hotKeys.takeElsewhere(ctrlAltP);
    const auto problem = registry.set(u"readingRuler"_s, ctrlAltP);
    ASSERT_TRUE(problem);
    EXPECT_EQ(*problem, QStringLiteral("Ctrl+Alt+P is already used by another program. Choose "
                                       "another combination."));
    // The earlier combination still works and is still the stored one.
    EXPECT_EQ(ShortcutRegistry::stored(platform.defaults(), u"readingRuler"_s), ctrlAltR);
    hotKeys.press(ctrlAltR);
    EXPECT_TRUE(store->settings().ruler);

    ASSERT_TRUE(
        platform.defaults().setValue("KeyboardShortcuts_heavier", *ShortcutKeys::toJson(ctrlAltP)));
    EXPECT_EQ(registry.registerAll(), QStringList{u"heavier: "_s + *problem});
}

TEST_F(ShortcutRegistryTest, ClearingStoresFalseAndUnbinds) {
    startStore();
    ShortcutRegistry registry(*store, hotKeys);
    ASSERT_FALSE(registry.set(u"focusSheet"_s, ctrlAltP));
    registry.clear(u"focusSheet"_s);
    EXPECT_TRUE(hotKeys.bound().isEmpty());
    EXPECT_EQ(*platform.defaults().value("KeyboardShortcuts_focusSheet"), Json(false));
    hotKeys.press(ctrlAltP);
    EXPECT_FALSE(store->settings().focusSheet);
}

} // namespace
} // namespace tessel
