#include "ui/welcome/WelcomeView.h"

#include "core/StatusText.h"
#include "core/Store.h"
#include "style/InterfacePalette.h"
#include "ui/kit/PressButton.h"
#include "ui/welcome/StepTransition.h"
#include "ui/welcome/WelcomeIntro.h"
#include "ui/welcome/WelcomePanelStep.h"
#include "ui/welcome/WelcomePaperStep.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>

namespace tessel {

namespace {

// Long enough to watch the paper settle on the screen before the next step comes in.
constexpr std::chrono::milliseconds afterLaying(1400);

const QString dayPromise = QStringLiteral("It changes on your screen as you choose. Weight sets "
                                          "how strongly it shows.");

} // namespace

WelcomeView::WelcomeView(Store& store, Actions actions, QWidget* parent)
    : QWidget(parent)
    , m_store(store)
    , m_actions(std::move(actions))
    , m_intro(new WelcomeIntro(this))
    , m_day(new WelcomePaperStep(
          store, false, {QStringLiteral("Choose your paper"), dayPromise, QStringLiteral("Next")},
          this))
    , m_night(new WelcomePaperStep(
          store, true,
          {QStringLiteral("And one for the evening"),
           QStringLiteral("Night paper shows when your computer is in dark mode."),
           QStringLiteral("Done")},
          this))
    , m_panel(new WelcomePanelStep(this))
    , m_pages{m_intro, m_day, m_night, m_panel}
    , m_transition(new StepTransition(this))
    , m_afterLaying(store.platform().makeTimer([this] { setStep(1); })) {
    setWindowTitle(QStringLiteral("Welcome to Tessel"));
    resize(fixedSize);
    for (QWidget* page : m_pages) {
        page->resize(fixedSize);
        page->hide();
    }
    m_intro->show();
    connectSteps();
    connect(&store, &Store::darkChanged, this, &WelcomeView::showAppearance);
    connect(&store.platform(), &Platform::compositorChanged, this, &WelcomeView::showCompositor);
    showAppearance();
    showCompositor();
}

WelcomeView::~WelcomeView() = default;

void WelcomeView::connectSteps() {
    connect(m_intro->layItDown(), &QAbstractButton::clicked, this, &WelcomeView::layItDown);
    connect(m_day->next(), &QAbstractButton::clicked, this, [this] { setStep(2); });
    connect(m_night->next(), &QAbstractButton::clicked, this, [this] { setStep(3); });
    connect(m_panel->openSettings(), &QAbstractButton::clicked, this, [this] {
        m_actions.close();
        m_actions.openSettings();
    });
    connect(m_panel->start(), &QAbstractButton::clicked, this, [this] { m_actions.close(); });
}

void WelcomeView::setStep(int step) {
    step = std::clamp(step, 0, steps - 1);
    if (step == m_step) {
        return;
    }
    QWidget* outgoing = page(m_step);
    m_step = step;
    if (step == steps - 1 && m_actions.iconPlace) {
        m_panel->setPlace(m_actions.iconPlace());
    }
    m_transition->run(outgoing, page(step), isVisible());
    if (PressButton* button = defaultButton()) {
        button->setFocus();
    }
}

// Onboarded first, so that leaving now never brings the Welcome back; then the paper goes on
// and drops in on every screen.
void WelcomeView::layItDown() {
    m_intro->layItDown()->setEnabled(false);
    m_store.updateSettings([](Settings& s) { s.onboarded = true; });
    m_store.updateSettings([](Settings& s) { s.enabled = true; });
    if (m_actions.dropIn) {
        m_actions.dropIn();
    }
    m_store.refresh();
    m_afterLaying->start(afterLaying, false);
}

void WelcomeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (PressButton* button = defaultButton(); button && button->isEnabled()) {
        button->click();
    }
}

PressButton* WelcomeView::defaultButton() const {
    for (PressButton* button : page(m_step)->findChildren<PressButton*>()) {
        if (button->isDefault()) {
            return button;
        }
    }
    return nullptr;
}

void WelcomeView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    for (QWidget* page : m_pages) {
        page->resize(event->size());
    }
}

void WelcomeView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
}

void WelcomeView::showAppearance() {
    setPalette(InterfacePalette::chrome(m_store.dark()));
    m_panel->setIcon(panelIcon());
    update();
}

// Without a compositor the paper cannot show, so the step says what to do instead of
// promising a change on the screen.
void WelcomeView::showCompositor() {
    const Platform& platform = m_store.platform();
    m_day->setText(
        platform.compositorRunning()
            ? dayPromise
            : platform.unavailable(DesktopAbility::clickThrough).value_or(noCompositorNote()));
}

QImage WelcomeView::panelIcon() const {
    if (!m_actions.panelIcon) {
        return {};
    }
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    QImage icon = m_actions.panelIcon(2 * ratio, palette().color(QPalette::WindowText));
    icon.setDevicePixelRatio(ratio);
    return icon;
}

} // namespace tessel
