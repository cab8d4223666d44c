#pragma once

#include "core/SettingsJson.h"
#include "core/Store.h"
#include "doubles/FakePlatform.h"
#include "doubles/RecordingOverlay.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tessel {

// A fake machine with one 1440 × 900 screen at pixel ratio 2, its defaults in a fresh
// folder, the clock at a fixed moment in UTC, and settings onboarded until a test stores
// others before calling startStore.
class FakeMachineTest : public ::testing::Test {
protected:
    FakeMachineTest(const QString& screenId, const QString& screenName) {
        platform.setScreens({{screenId, screenName, QRectF(0, 0, 1440, 900), 2}});
        platform.setClock(QDateTime(QDate(2024, 3, 1), QTime(12, 0), QTimeZone::utc()), false);
        platform.setTimeZone(QTimeZone::utc());
        Settings stored;
        stored.onboarded = true;
        storeSettings(stored);
    }

    void storeSettings(const Settings& settings) {
        ASSERT_TRUE(platform.defaults().setValue("settings", toJson(settings)));
    }

    Store& startStore() {
        auto recording = std::make_unique<RecordingOverlay>();
        overlay = recording.get();
        store = std::make_unique<Store>(platform, std::move(recording));
        store->start();
        return *store;
    }

    QTemporaryDir dir;
    FakePlatform platform{dir.path()};
    RecordingOverlay* overlay = nullptr;
    std::unique_ptr<Store> store;
};

} // namespace tessel
