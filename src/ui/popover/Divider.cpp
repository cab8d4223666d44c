#include "ui/popover/Divider.h"

#include "style/InterfacePalette.h"

#include <QPainter>

namespace tessel {

namespace {

constexpr qreal strength = 0.072;

} // namespace

Divider::Divider(QWidget* parent)
    : QWidget(parent) {
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Divider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), withAlpha(Tones::of(palette()).primary, strength));
}

} // namespace tessel
