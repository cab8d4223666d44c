#include "moments/ArtController.h"

#include "moments/ArtView.h"
#include "moments/MomentLimits.h"

#include <QRandomGenerator>

namespace tessel {

namespace {

constexpr std::chrono::milliseconds watchInterval{250};
constexpr std::chrono::milliseconds fadeIn{1400};
// Input this recent is the user back; the first second after showing is never counted, so
// the movement that pressed "Preview Now" does not take the painting straight down.
constexpr double returnIdleSeconds = 1;
constexpr qint64 graceMs = 1000;

} // namespace

ArtController::ArtController(Store& store, std::unique_ptr<MomentPresenter> presenter,
                             ArtLibrary library, Random random)
    : m_store(store)
    , m_presenter(std::move(presenter))
    , m_library(std::move(library))
    , m_random(std::move(random))
    , m_watch(store.platform().makeTimer([this] { tick(); })) {}

ArtController::~ArtController() = default;

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
    if (!settings.art.enabled ||
        platform.idleSeconds() < static_cast<double>(artIdleTime(settings).count()) ||
        platform.displayKeptAwake()) {
        return;
    }
    show();
}

std::optional<Painting> ArtController::choose() const {
    const QStringList& chosen = m_store.settings().art.collections;
    QList<Painting> inChosen;
    for (const Painting& painting : m_library.paintings()) {
        if (chosen.contains(painting.collection)) {
            inChosen.append(painting);
        }
    }
    const QList<Painting>& pool = inChosen.isEmpty() ? m_library.paintings() : inChosen;
    QList<Painting> candidates;
    for (const Painting& painting : pool) {
        if (painting != m_current) {
            candidates.append(painting);
        }
    }
    if (!candidates.isEmpty()) {
        return candidates.at(m_random(candidates.size()));
    }
    return inChosen.isEmpty() ? std::nullopt : std::optional(inChosen.front());
}

void ArtController::show() {
    const std::optional<Painting> painting = choose();
    if (!painting) {
        return;
    }
    m_current = painting;
    Platform& platform = m_store.platform();
    m_shownAt = platform.now();
    const QImage image = m_library.image(*painting);
    m_presenter->show(
        [&](const ScreenInfo&) { return std::make_unique<ArtView>(platform, *painting, image); },
        [this] { dismiss(); }, fadeIn);
    m_watch->start(watchInterval, true);
}

void ArtController::dismiss() {
    m_presenter->hide();
    m_shownAt.reset();
    m_watch->stop();
}

} // namespace tessel
