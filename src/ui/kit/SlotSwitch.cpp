#include "ui/kit/SlotSwitch.h"

#include "style/InterfacePalette.h"
#include "ui/kit/SegmentButton.h"
#include "ui/kit/Spring.h"

#include <QHBoxLayout>
#include <QPainter>

namespace tessel {

namespace {

constexpr int padding = 3;

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
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(tones.primary, 0.06));
    painter.drawRoundedRect(track, 10, 10);

    const bool dark = palette().color(QPalette::Window).lightnessF() < 0.5;
    const QRectF mark = m_mark.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setBrush(QColor(0, 0, 0, dark ? 60 : 14));
    painter.drawRoundedRect(mark.translated(0, 0.75), 8, 8);
    painter.setBrush(dark ? withAlpha(tones.primary, 0.16) : QColor(255, 255, 255));
    painter.drawRoundedRect(mark, 8, 8);
}

} // namespace tessel
