#include "moments/ArtController.h"

#include "art/PictureFolder.h"
#include "moments/ArtView.h"
#include "moments/MomentLimits.h"

#include <QRandomGenerator>

#include <algorithm>

namespace tessel {

namespace {

constexpr std::chrono::milliseconds watchInterval{250};
constexpr std::chrono::milliseconds artFadeIn{1400};
// Input this recent is the user back; the first second after showing is never counted, so
// the movement that pressed "Preview Now" does not take the painting straight down.
constexpr double returnIdleSeconds = 1;
constexpr qint64 graceMs = 1000;
// The next painting is read this long before the idle time reaches its threshold: a few polls,
// far more than a read takes.
constexpr double readAheadSeconds = 15;
// The share of a screen a picture may take (the layout's own limits), and the box read when
// no screen is known.
constexpr double widthShare = 0.62;
constexpr double heightShare = 0.68;
constexpr QSize boxWithoutScreens{1600, 1200};

} // namespace

ArtController::ArtController(Store& store, std::unique_ptr<MomentPresenter> presenter,
                             ArtLibrary library, Random random)
    : m_store(store)
    , m_presenter(std::move(presenter))
    , m_library(std::move(library))
    , m_random(std::move(random))
    , m_watch(store.platform().makeTimer([this] { tick(); }))
    // A painting is never shown over a call or a shared screen.
    , m_giveWay(QObject::connect(&store.platform(), &Platform::displayHeldAwake, [this] {
        m_showWhenReady = false;
        if (m_presenter->isShowing()) {
            dismiss();
        }
    })) {}

ArtController::~ArtController() {
    QObject::disconnect(m_giveWay);
}

qsizetype ArtController::systemRandom(qsizetype count) {
    return static_cast<qsizetype>(QRandomGenerator::global()->bounded(static_cast<quint64>(count)));
}

void ArtController::tick() {
    const Platform& platform = m_store.platform();
    if (m_presenter->isShowing()) {
        if (platform.idleSeconds() < returnIdleSeconds && m_shownAt &&
            m_shownAt->msecsTo(platform.now()) > graceMs) {
            dismiss();
        }
        return;
    }
    const Settings& settings = m_store.settings();
    const double idle = platform.idleSeconds();
    const auto threshold = static_cast<double>(artIdleTime(settings).count());
    // A screen-sized image is held only for a moment about to come.
    if (!settings.art.enabled || idle < threshold - readAheadSeconds) {
        m_next.reset();
        return;
    }
    if (!m_next || !stillChosen(m_next->painting)) {
        prepare();
    }
    if (idle < threshold || platform.displayKeptAwake()) {
        return;
    }
    show();
}

bool ArtController::picturesWanted() const {
    const ArtSettings& art = m_store.settings().art;
    return art.folder && art.collections.contains(ownPicturesId());
}

QList<Painting> ArtController::inChosen() const {
    const QStringList& chosen = m_store.settings().art.collections;
    QList<Painting> works;
    for (const Painting& painting : m_library.paintings()) {
        if (chosen.contains(painting.collection)) {
            works.append(painting);
        }
    }
    if (picturesWanted() && m_scannedFolder == m_store.settings().art.folder) {
        for (const Painting& picture : m_pictures) {
            if (!m_unreadable.contains(picture.id)) {
                works.append(picture);
            }
        }
    }
    return works;
}

QList<Painting> ArtController::pool() const {
    QList<Painting> works = inChosen();
    return works.isEmpty() ? m_library.paintings() : works;
}

std::optional<Painting> ArtController::choose() const {
    const QList<Painting> works = pool();
    QList<Painting> candidates;
    for (const Painting& painting : works) {
        if (painting != m_current) {
            candidates.append(painting);
        }
    }
    if (!candidates.isEmpty()) {
        return candidates.at(m_random(candidates.size()));
    }
    const QList<Painting> chosen = inChosen();
    return chosen.isEmpty() ? std::nullopt : std::optional(chosen.front());
}

// A painting read before the settings changed may no longer be one to draw.
bool ArtController::stillChosen(const Painting& painting) const {
    if (picturesWanted() && m_scannedFolder != m_store.settings().art.folder) {
        return false;
    }
    const QList<Painting> works = pool();
    return works.contains(painting) &&
           (painting != m_current || std::all_of(works.begin(), works.end(),
                                                 [&](const Painting& p) { return p == painting; }));
}

void ArtController::prepare() {
    if (m_preparing) {
        return;
    }
    m_preparing = true;
    m_next.reset();
    if (!picturesWanted()) {
        readChoice();
        return;
    }
    const QString folder = *m_store.settings().art.folder;
    m_loader.scan(folder, [this, folder](QList<Painting> pictures) {
        m_scannedFolder = folder;
        m_pictures = std::move(pictures);
        readChoice();
    });
}

void ArtController::readChoice() {
    const std::optional<Painting> choice = choose();
    if (!choice) {
        m_preparing = false;
        m_showWhenReady = false;
        return;
    }
    m_loader.read(m_library.path(*choice), pictureBox(), [this, painting = *choice](QImage image) {
        // A picture that does not read after all is passed over, never hung as a blank.
        if (image.isNull() && painting.collection == ownPicturesId()) {
            m_unreadable.insert(painting.id);
            readChoice();
            return;
        }
        m_preparing = false;
        m_next = Prepared{painting, std::move(image)};
        if (std::exchange(m_showWhenReady, false)) {
            show();
        }
    });
}

QSize ArtController::pictureBox() const {
    QSize box;
    for (const ScreenInfo& screen : m_store.platform().screens()) {
        const QSizeF pixels = screen.frame.size() * screen.devicePixelRatio;
        box = box.expandedTo(
            QSizeF(pixels.width() * widthShare, pixels.height() * heightShare).toSize());
    }
    return box.isEmpty() ? boxWithoutScreens : box;
}

void ArtController::show() {
    if (!m_next || !stillChosen(m_next->painting)) {
        m_showWhenReady = true;
        prepare();
        return;
    }
    const Prepared prepared = *std::exchange(m_next, std::nullopt);
    hang(prepared);
    prepare();
}

void ArtController::hang(const Prepared& prepared) {
    m_current = prepared.painting;
    Platform& platform = m_store.platform();
    m_shownAt = platform.now();
    m_presenter->show(
        [&](const ScreenInfo&) {
            return std::make_unique<ArtView>(platform, prepared.painting, prepared.image);
        },
        [this] { dismiss(); }, artFadeIn);
    m_watch->start(watchInterval, true);
}

void ArtController::dismiss() {
    m_presenter->hide();
    m_shownAt.reset();
    m_watch->stop();
}

} // namespace tessel
