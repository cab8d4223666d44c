#include "ui/settings/SettingsView.h"

#include "core/Store.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/SectionHeading.h"
#include "ui/settings/PaneFactory.h"
#include "ui/settings/PaneSidebar.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPropertyAnimation>
#include <QShowEvent>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace tessel {

namespace {

constexpr int crossFadeMs = 200;
constexpr qreal dividerStrength = 0.1;
constexpr QMargins sidebarMargins(0, 16, 0, 12);
constexpr qreal titleText = 24;
constexpr int detailTop = 22;
constexpr QMargins headerMargins(30, 0, 30, 16);
constexpr int baseLightness = 190;

// The sidebar's backdrop: a shade apart from the detail, divided by a hairline.
class SidebarBackdrop final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const Tones tones = Tones::of(palette());
        painter.fillRect(rect(), withAlpha(tones.primary, metrics::faintWash));
        painter.setPen(withAlpha(tones.primary, dividerStrength));
        const qreal x = width() - metrics::halfLine;
        painter.drawLine(QPointF(x, 0), QPointF(x, height()));
    }
};

} // namespace

SettingsView::SettingsView(SettingsContext context, QWidget* parent)
    : QWidget(parent)
    , m_context(std::move(context))
    , m_sidebar(new PaneSidebar)
    , m_title(new QLabel)
    , m_subtitle(new QLabel)
    , m_detail(new QWidget)
    , m_stack(new QStackedLayout) {
    setAutoFillBackground(true);

    auto* backdrop = new SidebarBackdrop;
    auto* side = new QVBoxLayout(backdrop);
    side->setContentsMargins(sidebarMargins);
    side->addWidget(m_sidebar);

    m_title->setFont(serifFont(*m_title, titleText));
    m_subtitle->setFont(interfaceFont(*m_subtitle, metrics::smallText));
    m_subtitle->setForegroundRole(QPalette::PlaceholderText);
    auto* detail = new QVBoxLayout(m_detail);
    detail->setContentsMargins(0, detailTop, 0, 0);
    detail->setSpacing(0);
    auto* header = new QVBoxLayout;
    header->setContentsMargins(headerMargins);
    header->setSpacing(metrics::hairGap);
    header->addWidget(m_title);
    header->addWidget(m_subtitle);
    detail->addLayout(header);
    detail->addLayout(m_stack, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(backdrop);
    layout->addWidget(m_detail, 1);

    connect(&m_context.store, &Store::darkChanged, this, &SettingsView::followAppearance);
    followAppearance();
    m_sidebar->select(shownPane());
    connect(m_sidebar, &PaneSidebar::chosen, this, [this](Pane pane) { setPane(pane); });
    rebuild(false);
}

SettingsView::~SettingsView() = default;

void SettingsView::setPane(std::optional<Pane> pane) {
    if (pane == m_pane) {
        return;
    }
    const bool changed = pane.value_or(Pane::general) != shownPane();
    m_pane = pane;
    m_sidebar->select(shownPane());
    if (changed) {
        rebuild(true);
    }
}

QSize SettingsView::minimumSizeHint() const {
    return QWidget::minimumSizeHint().expandedTo(minimumSize);
}

void SettingsView::showEvent(QShowEvent* event) {
    // Reopening reads the Store again, so changes made meanwhile elsewhere show.
    if (!event->spontaneous()) {
        rebuild(false);
    }
    QWidget::showEvent(event);
}

void SettingsView::followAppearance() {
    const bool dark = m_context.store.dark();
    QPalette palette = InterfacePalette::chrome(dark);
    // Fields, lists and radio buttons are drawn on the base colour: a step apart from the
    // window, or the desktop style's rings and frames vanish into it.
    const QColor window = palette.color(QPalette::Window);
    palette.setColor(QPalette::Base,
                     dark ? window.lighter(baseLightness) : InterfacePalette::paperWhite());
    setPalette(palette);
}

void SettingsView::rebuild(bool fade) {
    const QPixmap previous = fade && m_content && isVisible() ? m_detail->grab() : QPixmap();
    const PaneInfo& info = paneInfo(shownPane());
    m_title->setText(info.title);
    m_subtitle->setText(info.subtitle);
    if (m_content) {
        m_stack->removeWidget(m_content.get());
    }
    m_content = makePane(shownPane(), m_context);
    m_stack->addWidget(m_content.get());
    m_stack->setCurrentWidget(m_content.get());
    if (!previous.isNull() && !m_context.store.platform().reduceMotion()) {
        fadeOut(previous);
    }
}

// Lays a picture of the previous pane over the new one and lets it dissolve.
void SettingsView::fadeOut(const QPixmap& previous) {
    auto* veil = new QLabel(m_detail);
    veil->setPixmap(previous);
    veil->setGeometry(m_detail->rect());
    veil->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* opacity = new QGraphicsOpacityEffect(veil);
    veil->setGraphicsEffect(opacity);
    veil->show();
    auto* animation = new QPropertyAnimation(opacity, "opacity", veil);
    animation->setDuration(crossFadeMs);
    animation->setStartValue(1.0);
    animation->setEndValue(0.0);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(animation, &QPropertyAnimation::finished, veil, &QObject::deleteLater);
    animation->start();
}

} // namespace tessel
