#pragma once

#include "core/RecordingOverlay.h"
#include "core/SettingsJson.h"
#include "core/Store.h"
#include "platform/fake/FakePlatform.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tessel {

// A fake machine with one screen, its defaults in a fresh folder, the clock at a fixed
// moment, and settings onboarded and enabled until a test stores others.
class AppFixture : public ::testing::Test {
protected:
    AppFixture() {
        platform.setScreens({{QStringLiteral("SCREEN-A"), QStringLiteral("Built-in Display"),
                              QRectF(0, 0, 1440, 900), 2}});
        platform.setClock(QDateTime(QDate(2024, 3, 1), QTime(12, 0), Qt::UTC), false);
        platform.setTimeZone(QTimeZone::utc());
        Settings stored;
        stored.onboarded = true;
        storeSettings(stored);
    }

    void storeSettings(const Settings& settings) {
        platform.defaults().setValue("settings", toJson(settings));
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
