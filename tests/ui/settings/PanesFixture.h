#pragma once

#include "moments/ArtController.h"
#include "moments/RestController.h"
#include "ui/UiFixture.h"
#include "ui/kit/FloatSlider.h"
#include "ui/settings/SettingsContext.h"

#include <QComboBox>

namespace tessel {

// A started Store whose art and rest moments are real, for panes built on the Settings
// context; counts the windows the context asked for.
class PanesTest : public UiTest {
protected:
    void SetUp() override {
        platform.setReduceMotion(true);
        auto recording = std::make_unique<RecordingOverlay>();
        overlay = recording.get();
        store = std::make_unique<Store>(platform, std::move(recording));
        auto artController = std::make_unique<ArtController>(
            *store, std::make_unique<MomentPresenter>(platform), ArtLibrary());
        auto restController =
            std::make_unique<RestController>(*store, std::make_unique<MomentPresenter>(platform));
        art = artController.get();
        rest = restController.get();
        store->adoptMoments(std::move(artController), std::move(restController));
        store->start();
    }

    SettingsContext context(bool updates = false) {
        SettingsContext made{*store, [this] { ++welcomes; }, {}, nullptr};
        if (updates) {
            made.checkForUpdates = [this] { ++updateChecks; };
        }
        return made;
    }

    template <typename Edit> void edit(Edit change) { store->updateSettings(change); }
    const Settings& settings() const { return store->settings(); }

    // The control in the form row labelled `label`.
    template <typename Control> static Control* inRow(const QWidget& pane, const QString& label) {
        for (Control* control : pane.findChildren<Control*>()) {
            if (control->accessibleName() == label) {
                return control;
            }
        }
        return nullptr;
    }

    static void choose(QComboBox& box, const QString& text) {
        const int index = box.findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box.setCurrentIndex(index);
        Q_EMIT box.activated(index);
    }

    static QStringList items(const QComboBox& box) {
        QStringList texts;
        for (int i = 0; i < box.count(); ++i) {
            texts << box.itemText(i);
        }
        return texts;
    }

    ArtController* art = nullptr;
    RestController* rest = nullptr;
    int welcomes = 0;
    int updateChecks = 0;
};

} // namespace tessel
