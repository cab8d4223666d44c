#pragma once

#include "core/SettingsJson.h"
#include "core/Store.h"
#include "doubles/FakePlatform.h"
#include "doubles/RecordingOverlay.h"
#include "moments/ArtController.h"
#include "moments/RestController.h"

#include <QTemporaryDir>

#include <chrono>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace tessel {

using namespace std::chrono_literals;

inline ScreenInfo screen(const char* id, QRectF frame = {0, 0, 1440, 900}) {
    return {QString::fromLatin1(id), QString::fromLatin1(id), frame, 1};
}

inline AppInfo app(const char* appId, qint32 pid = 100) {
    return {QString::fromLatin1(appId), pid, QString()};
}

// A started Store over a fake machine with two screens, owning art and rest controllers whose
// five-second polls run on the fake clock. Motion is reduced so windows come and go at once.
class MomentsTest : public ::testing::Test {
protected:
    MomentsTest() {
        platform.setScreens({screen("A"), screen("B", {1440, 0, 1440, 900})});
        platform.setReduceMotion(true);
        Settings stored;
        stored.onboarded = true;
        EXPECT_TRUE(platform.defaults().setValue("settings", toJson(stored)));
    }

    void start(ArtLibrary library = ArtLibrary(), ArtController::Random random = nullptr) {
        store = std::make_unique<Store>(platform, std::make_unique<RecordingOverlay>());
        auto artController = std::make_unique<ArtController>(
            *store, std::make_unique<MomentPresenter>(platform), std::move(library),
            random ? std::move(random) : ArtController::systemRandom);
        auto restController =
            std::make_unique<RestController>(*store, std::make_unique<MomentPresenter>(platform));
        art = artController.get();
        rest = restController.get();
        store->adoptMoments(std::move(artController), std::move(restController));
        store->start();
    }

    template <typename Edit> void edit(Edit change) { store->updateSettings(change); }

    // Keyboard or pointer input just before each of the next polls.
    void workFor(std::chrono::seconds length) {
        for (auto done = 0s; done < length; done += 5s) {
            platform.setIdleSeconds(0);
            platform.advance(5s);
        }
    }

    QTemporaryDir dir;
    FakePlatform platform{dir.path()};
    std::unique_ptr<Store> store;
    ArtController* art = nullptr;
    RestController* rest = nullptr;
};

} // namespace tessel
