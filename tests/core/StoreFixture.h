#pragma once

#include "core/SettingsJson.h"
#include "core/Store.h"
#include "doubles/FakePlatform.h"
#include "doubles/RecordingOverlay.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tessel {

inline ScreenInfo screen(const char* id, QRectF frame = {0, 0, 1440, 900}) {
    return {QString::fromLatin1(id), QString::fromLatin1(id), frame, 2};
}

inline AppInfo app(const char* appId, qint32 pid = 100, const char* name = "") {
    return {QString::fromLatin1(appId), pid, QString::fromLatin1(name)};
}

// A Store over a fake machine with one screen, onboarded and enabled, with its settings
// file in a fresh folder.
class StoreTest : public ::testing::Test {
protected:
    StoreTest() {
        platform.setScreens({screen("A")});
        Settings stored;
        stored.onboarded = true;
        storeSettings(stored);
    }

    void storeSettings(const Settings& settings) {
        ASSERT_TRUE(platform.defaults().setValue("settings", toJson(settings)));
    }

    Store& makeStore() {
        auto recording = std::make_unique<RecordingOverlay>();
        overlay = recording.get();
        store = std::make_unique<Store>(platform, std::move(recording));
        return *store;
    }

    Store& startStore() {
        makeStore().start();
        return *store;
    }

    // Starts over onboarded settings with the edit applied.
    Store& startWith(const std::function<void(Settings&)>& edit) {
        Settings s;
        s.onboarded = true;
        edit(s);
        storeSettings(s);
        return startStore();
    }

    std::optional<Settings> savedSettings() const {
        const UserDefaults reread(dir.path());
        const auto stored = reread.value("settings");
        return stored ? settingsFromJson(*stored) : std::nullopt;
    }

    const LayerMap& layers() const { return overlay->lastSync.layers; }

    QTemporaryDir dir;
    FakePlatform platform{dir.path()};
    RecordingOverlay* overlay = nullptr;
    std::unique_ptr<Store> store;
};

} // namespace tessel
