#pragma once

#include "WaitFor.h"
#include "core/RecordingOverlay.h"
#include "core/SettingsJson.h"
#include "core/Store.h"
#include "paper/Paper.h"
#include "platform/fake/FakePlatform.h"

#include <QAbstractButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tessel {

// A started Store over a fake machine with one screen and the clock at a fixed moment,
// onboarded unless a test stores other settings before calling startStore.
class UiTest : public ::testing::Test {
protected:
    UiTest() {
        platform.setScreens({{QStringLiteral("A"), QStringLiteral("A"), {0, 0, 1440, 900}, 2}});
        platform.setClock(QDateTime(QDate(2024, 3, 1), QTime(12, 0), QTimeZone::utc()), false);
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

    bool previewsReady() const {
        return waitFor([this] { return store->previews().size() >= Paper::builtIn().size(); });
    }

    // The child button with this accessible name or text.
    template <typename Button = QAbstractButton>
    static Button* button(const QWidget& parent, const QString& name) {
        for (Button* b : parent.findChildren<Button*>()) {
            if (b->accessibleName() == name || b->text() == name) {
                return b;
            }
        }
        return nullptr;
    }

    QTemporaryDir dir;
    FakePlatform platform{dir.path()};
    RecordingOverlay* overlay = nullptr;
    std::unique_ptr<Store> store;
};

} // namespace tessel
