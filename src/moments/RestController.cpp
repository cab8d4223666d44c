#include "moments/RestController.h"

#include "moments/MomentLimits.h"
#include "moments/RestView.h"

namespace tessel {

namespace {

constexpr double pollSeconds = 5;
// Less idle than this is work going on.
constexpr double activeIdleSeconds = 60;
// An absence this many times the rest's length counts as a rest taken.
constexpr double restsInAnAbsence = 3;
constexpr std::chrono::milliseconds restFadeIn{800};

} // namespace

RestController::RestController(Store& store, std::unique_ptr<MomentPresenter> presenter)
    : m_store(store)
    , m_presenter(std::move(presenter))
    , m_endTimer(store.platform().makeTimer([this] { finish(); }))
    // Tessel's own page is never shown over a call or a shared screen.
    , m_giveWay(QObject::connect(&store.platform(), &Platform::displayHeldAwake, [this] {
        if (m_presenter->isShowing()) {
            finish();
        }
    })) {}

RestController::~RestController() {
    QObject::disconnect(m_giveWay);
}

void RestController::tick() {
    const Settings& settings = m_store.settings();
    if (!settings.rest || m_presenter->isShowing()) {
        return;
    }
    const double idle = m_store.platform().idleSeconds();
    if (idle > restsInAnAbsence * static_cast<double>(restLength(settings).count())) {
        m_active = 0;
        return;
    }
    if (idle < activeIdleSeconds) {
        m_active += pollSeconds;
    }
    if (m_active >= static_cast<double>(restInterval(settings).count()) &&
        !m_store.platform().displayKeptAwake()) {
        start();
    }
}

void RestController::start() {
    m_active = 0;
    if (m_presenter->isShowing()) {
        return; // the rest on screen ends at its own time
    }
    const auto length = restLength(m_store.settings());
    const int seconds = static_cast<int>(length.count());
    const bool night = m_store.dark();
    const QImage preview = m_store.previews().value(QStringLiteral("kozo"));
    Platform& platform = m_store.platform();
    m_presenter->show(
        [&](const ScreenInfo&) {
            return std::make_unique<RestView>(platform, seconds, night, preview);
        },
        [this] { finish(); }, restFadeIn);
    m_endTimer->start(length, false);
}

void RestController::finish() {
    m_endTimer->stop();
    m_presenter->hide();
}

} // namespace tessel
