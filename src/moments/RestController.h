#pragma once

#include "core/MomentController.h"
#include "core/Store.h"
#include "moments/MomentPresenter.h"

#include <memory>

namespace tessel {

// Counts active time from the idle time every five seconds and, after restEvery minutes of
// it, covers the screens with a blank page for restLength seconds. A long absence counts as
// a rest taken; nothing starts while the display is held awake.
class RestController final : public MomentController {
public:
    RestController(Store& store, std::unique_ptr<MomentPresenter> presenter);
    ~RestController() override;

    void tick() override;
    void showNow() override { start(); }
    // Begins a rest now, whatever the count; a rest already on screen stays as it is.
    void start();
    // Ends the rest on screen.
    void finish();

    double activeSeconds() const { return m_active; }
    const MomentPresenter& presenter() const { return *m_presenter; }

private:
    Store& m_store;
    std::unique_ptr<MomentPresenter> m_presenter;
    double m_active = 0;
    std::unique_ptr<Timer> m_endTimer;
    QMetaObject::Connection m_giveWay;
};

} // namespace tessel
