#include "ui/popover/Divider.h"

#include "style/InterfacePalette.h"

#include <QPainter>

namespace tessel {

Divider::Divider(QWidget* parent)
    : QWidget(parent) {
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Divider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), withAlpha(Tones::of(palette()).primary, 0.12 * 0.6));
}

} // namespace tessel
