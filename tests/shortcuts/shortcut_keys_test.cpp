#include "MachineTest.h"
#include "doubles/FakeHotKeys.h"
#include "shortcuts/ShortcutKeys.h"
#include "shortcuts/ShortcutRegistry.h"

namespace tessel {
namespace {

using Json = nlohmann::ordered_json;

TEST(ShortcutKeys, ParsesWhatPeopleTypeAndRefusesWhatTypingWouldTriggerOrCannotBeStored) {
    // What is typed, the keys it means and how they are written back.
    const std::tuple<const char*, QKeyCombination, const char*> cases[] = {
        {"Ctrl+Alt+P", QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_P),
         "Ctrl+Alt+P"},
        {"alt + ctrl + p", QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_P),
         "Ctrl+Alt+P"},
        {"Super+Shift+F1", QKeyCombination(Qt::MetaModifier | Qt::ShiftModifier, Qt::Key_F1),
         "Shift+Super+F1"},
        {"Cmd+Option+Space", QKeyCombination(Qt::MetaModifier | Qt::AltModifier, Qt::Key_Space),
         "Alt+Super+Space"},
        {"F9", QKeyCombination(Qt::NoModifier, Qt::Key_F9), "F9"},
    };
    for (const auto& [typed, expected, written] : cases) {
        const auto keys = ShortcutKeys::parse(QString::fromLatin1(typed));
        ASSERT_TRUE(keys) << typed;
        EXPECT_EQ(*keys, expected) << typed;
        EXPECT_EQ(ShortcutKeys::format(*keys), QString::fromLatin1(written));
    }

    // Arrows have no code in the stored form.
    for (const char* typed : {"P", "Shift+P", "Ctrl+Ctrl+P", "Hyper+P", "Ctrl+", "Ctrl+Alt+PP", "",
                              "Ctrl+Alt+P+Q", "Control+Shift+Left"}) {
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
    void storeKeys(const char* name, const Json& keys) {
        ASSERT_TRUE(platform.defaults().setValue("KeyboardShortcuts_" + std::string(name), keys));
    }

    FakeHotKeys hotKeys;
    const QKeyCombination ctrlAltP{Qt::ControlModifier | Qt::AltModifier, Qt::Key_P};
    const QKeyCombination ctrlAltR{Qt::ControlModifier | Qt::AltModifier, Qt::Key_R};
};

// At start every stored combination is bound, and the ones another program holds are reported.
TEST_F(ShortcutRegistryTest, StoredCombinationsRunTheirActionsOrAreReported) {
    storeKeys("togglePaper", *ShortcutKeys::toJson(ctrlAltP));
    storeKeys("readingRuler", false);
    storeKeys("heavier", *ShortcutKeys::toJson(ctrlAltR));
    hotKeys.takeElsewhere(ctrlAltR);
    startStore();
    ShortcutRegistry registry(*store, hotKeys);
    EXPECT_EQ(registry.registerAll(),
              QStringList{u"heavier: Ctrl+Alt+R is already used by another program. Choose "
                          u"another combination."_s});
    EXPECT_EQ(hotKeys.bound().keys(), QList<QString>{u"togglePaper"_s});
    hotKeys.press(ctrlAltP);
    EXPECT_FALSE(store->settings().enabled);
}

} // namespace
} // namespace tessel
