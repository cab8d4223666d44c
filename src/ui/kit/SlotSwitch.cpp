#include "ui/kit/SlotSwitch.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/SegmentButton.h"
#include "ui/kit/Spring.h"

#include <QHBoxLayout>
#include <QPainter>

namespace tessel {

namespace {

constexpr int padding = 3;
constexpr qreal trackRadius = 10;
constexpr qreal markRadius = 8;
// The chosen half rests on a soft shadow this far below it.
constexpr qreal shadowDrop = 0.75;

} // namespace

SlotSwitch::SlotSwitch(QWidget* parent)
    : QWidget(parent)
    , m_day(new SegmentButton(QStringLiteral("Day"), Glyph::sun, this))
    , m_nightButton(new SegmentButton(QStringLiteral("Night"), Glyph::moon, this))
    , m_slide(new SpringAnimation(Spring::shared(), this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(padding, padding, padding, padding);
    row->setSpacing(0);
    row->addWidget(m_day);
    row->addWidget(m_nightButton);
    m_day->setChecked(true);
    connect(m_day, &QAbstractButton::clicked, this, [this] {
        setNight(false);
        Q_EMIT chosen(false);
    });
    connect(m_nightButton, &QAbstractButton::clicked, this, [this] {
        setNight(true);
        Q_EMIT chosen(true);
    });
    connect(m_slide, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_mark = v.toRectF();
        update();
    });
}

void SlotSwitch::setNight(bool night) {
    m_day->setChecked(!night);
    m_nightButton->setChecked(night);
    if (night == m_night) {
        return;
    }
    m_night = night;
    if (isVisible()) {
        m_slide->animate(m_mark, markFor(night));
    } else {
        m_mark = markFor(night);
    }
}

QRectF SlotSwitch::markFor(bool night) const {
    return QRectF((night ? m_nightButton : m_day)->geometry());
}

void SlotSwitch::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_slide->stop();
    m_mark = QRectF();
}

void SlotSwitch::paintEvent(QPaintEvent*) {
    if (m_mark.isNull() && m_slide->state() != QAbstractAnimation::Running) {
        m_mark = markFor(m_night);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Tones tones = Tones::of(palette());
    const QRectF track = metrics::lineBounds(rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(tones.primary, metrics::quietWash));
    painter.drawRoundedRect(track, trackRadius, trackRadius);

    const bool dark = palette().color(QPalette::Window).lightnessF() < 0.5;
    const QRectF mark = metrics::lineBounds(m_mark);
    painter.setBrush(QColor(0, 0, 0, dark ? 60 : 14));
    painter.drawRoundedRect(mark.translated(0, shadowDrop), markRadius, markRadius);
    painter.setBrush(dark ? withAlpha(tones.primary, metrics::rule) : QColor(255, 255, 255));
    painter.drawRoundedRect(mark, markRadius, markRadius);
}

} // namespace tessel
