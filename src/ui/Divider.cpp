#include "ui/Divider.h"

#include "ui/InterfacePalette.h"

#include <QPainter>

namespace tessel {

Divider::Divider(QWidget* parent)
    : QWidget(parent) {
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Divider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), withAlpha(Tones::of(*this).primary, 0.12 * 0.6));
}

} // namespace tessel
