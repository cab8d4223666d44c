#pragma once

#include "art/ArtLibrary.h"
#include "art/PictureLoader.h"
#include "core/MomentController.h"
#include "core/Store.h"
#include "moments/MomentPresenter.h"

#include <QDateTime>
#include <QSet>

#include <functional>
#include <memory>
#include <optional>

namespace tessel {

// Puts a framed painting on every screen when the user has been away for idleMinutes, and
// takes it down at the first touch of keyboard or pointer. Polls every five seconds, and four
// times a second while a painting is up. The next painting (or picture of the user's own) is
// chosen and read at the size it will hang on a worker thread shortly before the idle time
// comes up, and while a painting hangs, so putting it up never waits for a decode.
class ArtController final : public MomentController {
public:
    // An index in [0, count), uniformly at random; count is at least 1.
    using Random = std::function<qsizetype(qsizetype count)>;

    ArtController(Store& store, std::unique_ptr<MomentPresenter> presenter, ArtLibrary library,
                  Random random = systemRandom);
    ~ArtController() override;

    void tick() override;
    void showNow() override { show(); }
    // Puts a painting up now, whatever the settings and the idle time; when none is read yet,
    // as soon as one is.
    void show();
    void dismiss();

    // The painting shown last, kept after it is taken down.
    const std::optional<Painting>& current() const { return m_current; }
    // Whether the next painting is read and waiting for its moment.
    bool nextIsRead() const { return m_next.has_value(); }
    const MomentPresenter& presenter() const { return *m_presenter; }

    static qsizetype systemRandom(qsizetype count);

private:
    // A painting chosen and read at the size it will hang, waiting for its moment.
    struct Prepared {
        Painting painting;
        QImage image;
    };

    // The works of the chosen collections (the user's pictures among them), and the works to
    // draw from: those, or every painting when they are none.
    QList<Painting> inChosen() const;
    QList<Painting> pool() const;
    std::optional<Painting> choose() const;
    bool stillChosen(const Painting& painting) const;
    bool picturesWanted() const;
    // Scans the picture folder when it is chosen, then chooses and reads the next painting.
    void prepare();
    void readChoice();
    void hang(const Prepared& prepared);
    // The largest picture box of any screen, in pixels.
    QSize pictureBox() const;

    Store& m_store;
    std::unique_ptr<MomentPresenter> m_presenter;
    ArtLibrary m_library;
    Random m_random;
    PictureLoader m_loader;
    // The fast poll while a painting is up; the Store's five-second poll runs throughout.
    std::unique_ptr<Timer> m_watch;
    std::optional<QDateTime> m_shownAt;
    std::optional<Painting> m_current;
    // The picture folder as last scanned, and pictures that turned out not to read.
    std::optional<QString> m_scannedFolder;
    QList<Painting> m_pictures;
    QSet<QString> m_unreadable;
    std::optional<Prepared> m_next;
    bool m_preparing = false;
    bool m_showWhenReady = false;
    QMetaObject::Connection m_giveWay;
};

} // namespace tessel
