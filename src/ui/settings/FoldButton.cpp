#include "ui/settings/FoldButton.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/Glyphs.h"
#include "ui/kit/SectionHeading.h"

#include <QPainter>

namespace tessel {

namespace {

constexpr qreal chevronSize = 12;
constexpr int foldRowHeight = 30;

} // namespace

FoldButton::FoldButton(QWidget* parent)
    : QAbstractButton(parent) {
    setCheckable(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(interfaceFont(*this, metrics::labelText, QFont::Medium));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize FoldButton::sizeHint() const {
    const int textWidth = fontMetrics().horizontalAdvance(text());
    return {static_cast<int>(chevronSize) + metrics::smallGap + textWidth, foldRowHeight};
}

void FoldButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Tones tones = Tones::of(palette());
    const QColor ink = isDown() || underMouse() || hasFocus() ? tones.primary : tones.secondary;
    const QRectF bounds(rect());
    const QRectF chevron(0, bounds.center().y() - chevronSize / 2, chevronSize, chevronSize);
    drawGlyph(painter, isChecked() ? Glyph::chevronDown : Glyph::chevronRight, chevron, ink);
    painter.setFont(font());
    painter.setPen(ink);
    painter.drawText(bounds.adjusted(chevronSize + metrics::smallGap, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace tessel
