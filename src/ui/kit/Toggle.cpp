#include "ui/kit/Toggle.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"

#include <QPainter>
#include <QVariantAnimation>

namespace tessel {

namespace {

constexpr qreal knobInset = 2;
constexpr qreal shadowDrop = 0.5;

} // namespace

Toggle::Toggle(QWidget* parent)
    : QAbstractButton(parent)
    , m_knob(new QVariantAnimation(this)) {
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(sizeHint());
    m_knob->setDuration(180);
    m_knob->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_knob, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_position = v.toDouble();
        update();
    });
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (!isVisible()) {
            m_position = on ? 1 : 0;
            return;
        }
        m_knob->stop();
        m_knob->setStartValue(m_position);
        m_knob->setEndValue(on ? 1.0 : 0.0);
        m_knob->start();
    });
}

void Toggle::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    const QColor off = withAlpha(Tones::of(palette()).primary, metrics::rule);
    const QColor on = InterfacePalette::accent();
    const auto mix = [this](float a, float b) {
        return a + (b - a) * static_cast<float>(m_position);
    };
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgbF(mix(off.redF(), on.redF()), mix(off.greenF(), on.greenF()),
                                      mix(off.blueF(), on.blueF()),
                                      mix(off.alphaF(), on.alphaF())));
    painter.drawRoundedRect(track, radius, radius);

    const qreal knob = track.height() - 2 * knobInset;
    const qreal x = track.left() + knobInset + (track.width() - knob - 2 * knobInset) * m_position;
    painter.setBrush(QColor(0, 0, 0, 30));
    painter.drawEllipse(QRectF(x, track.top() + knobInset + shadowDrop, knob, knob));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x, track.top() + knobInset, knob, knob));
    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(withAlpha(InterfacePalette::accent(), metrics::focusRing), 1));
        painter.drawRoundedRect(metrics::lineBounds(rect()), radius + metrics::halfLine,
                                radius + metrics::halfLine);
    }
}

} // namespace tessel
