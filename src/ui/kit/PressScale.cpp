#include "ui/kit/PressScale.h"

#include "ui/kit/Spring.h"

#include <QAbstractButton>
#include <QPainter>

namespace tessel {

namespace {

constexpr qreal pressedScale = 0.97;

} // namespace

PressScale::PressScale(QAbstractButton& button)
    : QObject(&button)
    , m_button(button)
    , m_animation(new SpringAnimation({0.2, 1}, this)) {
    connect(&button, &QAbstractButton::pressed, this, [this] { pressedChanged(true); });
    connect(&button, &QAbstractButton::released, this, [this] { pressedChanged(false); });
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_scale = value.toDouble();
        m_button.update();
    });
}

void PressScale::pressedChanged(bool down) {
    m_animation->animate(m_scale, down ? pressedScale : 1.0);
}

void PressScale::scaled(QPainter& painter, const QRectF& rect) const {
    painter.translate(rect.center());
    painter.scale(m_scale, m_scale);
    painter.translate(-rect.center());
}

} // namespace tessel
