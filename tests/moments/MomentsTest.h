#pragma once

#include "MachineTest.h"
#include "moments/ArtController.h"
#include "moments/RestController.h"

namespace tessel {

// The machine with art and rest moments over the Store, their five-second polls on the fake
// clock; motion is reduced so that windows come and go at once.
class MomentsTest : public MachineTest {
protected:
    MomentsTest() { platform.setReduceMotion(true); }

    void startWithMoments(ArtLibrary library = ArtLibrary(), ArtController::Random random = {}) {
        makeStore();
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

    ArtController* art = nullptr;
    RestController* rest = nullptr;
};

} // namespace tessel
