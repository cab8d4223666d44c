#pragma once

#include "WaitFor.h"
#include "core/SettingsJson.h"
#include "core/Store.h"
#include "doubles/FakePlatform.h"
#include "doubles/RecordingOverlay.h"
#include "support/Files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tessel {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// A screen as the fake machine reports it: 1440 × 900 points at pixel ratio 2 unless told.
inline ScreenInfo screen(const QString& id, QRectF frame = {0, 0, 1440, 900}, qreal ratio = 2) {
    return {id, id, frame, ratio};
}

inline AppInfo app(const QString& appId, qint32 pid = 100, const QString& name = {}) {
    return {appId, pid, name};
}

// A Store over a fake machine: one screen "A", named Built-in Display, the clock at noon on
// 1 March 2024 in UTC, and the settings in a fresh folder, onboarded until a test stores others
// before starting the Store.
class MachineTest : public ::testing::Test {
protected:
    MachineTest() {
        platform.setScreens({{u"A"_s, u"Built-in Display"_s, {0, 0, 1440, 900}, 2}});
        platform.setClock(QDateTime(QDate(2024, 3, 1), QTime(12, 0), QTimeZone::utc()), false);
        Settings stored;
        stored.onboarded = true;
        storeSettings(stored);
    }

    void storeSettings(const Settings& settings) {
        ASSERT_TRUE(platform.defaults().setValue("settings", toJson(settings)));
    }

    // Made, not started: it has read the settings and nothing else.
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
        Settings settings;
        settings.onboarded = true;
        edit(settings);
        storeSettings(settings);
        return startStore();
    }

    std::optional<Settings> savedSettings() const {
        const auto stored = UserDefaults(dir.path()).value("settings");
        return stored ? settingsFromJson(*stored) : std::nullopt;
    }

    const LayerMap& layers() const { return overlay->lastSync.layers; }

    // Writes a file of that name into the settings folder; its path.
    QString write(const QString& name, const QByteArray& bytes) const {
        EXPECT_TRUE(test::writeFile(dir.filePath(name), bytes));
        return dir.filePath(name);
    }

    QByteArray read(const QString& name) const { return test::readFile(dir.filePath(name)); }

    QTemporaryDir dir;
    FakePlatform platform{dir.path()};
    RecordingOverlay* overlay = nullptr;
    std::unique_ptr<Store> store;
};

} // namespace tessel
