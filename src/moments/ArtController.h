#pragma once

#include "art/ArtLibrary.h"
#include "core/MomentController.h"
#include "core/Store.h"
#include "moments/MomentPresenter.h"

#include <QDateTime>

#include <functional>
#include <memory>
#include <optional>

namespace tessel {

// Puts a framed painting on every screen when the user has been away for idleMinutes, and
// takes it down at the first touch of keyboard or pointer. Polls every five seconds, and four
// times a second while a painting is up.
class ArtController final : public MomentController {
public:
    // An index in [0, count), uniformly at random; count is at least 1.
    using Random = std::function<qsizetype(qsizetype count)>;

    ArtController(Store& store, std::unique_ptr<MomentPresenter> presenter, ArtLibrary library,
                  Random random = systemRandom);
    ~ArtController() override;

    void tick() override;
    void showNow() override { show(); }
    // Puts a painting up now, whatever the settings and the idle time.
    void show();
    void dismiss();

    // The painting shown last, kept after it is taken down.
    const std::optional<Painting>& current() const { return m_current; }
    const MomentPresenter& presenter() const { return *m_presenter; }

    static qsizetype systemRandom(qsizetype count);

private:
    std::optional<Painting> choose() const;

    Store& m_store;
    std::unique_ptr<MomentPresenter> m_presenter;
    ArtLibrary m_library;
    Random m_random;
    // The fast poll while a painting is up; the Store's five-second poll runs throughout.
    std::unique_ptr<Timer> m_watch;
    std::optional<QDateTime> m_shownAt;
    std::optional<Painting> m_current;
};

} // namespace tessel
