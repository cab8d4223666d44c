#include "ui/popover/ToolChip.h"

#include "style/InterfacePalette.h"
#include "ui/kit/PressScale.h"
#include "ui/kit/SectionHeading.h"

#include <QPainter>

namespace tessel {

namespace {

constexpr int chipHeight = 28;
constexpr qreal glyphSize = 13;
constexpr qreal glyphGap = 6;

} // namespace

ToolChip::ToolChip(const QString& title, Glyph glyph, QWidget* parent)
    : QAbstractButton(parent)
    , m_glyph(glyph)
    , m_press(new PressScale(*this)) {
    setText(title);
    setCheckable(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setFont(interfaceFont(*this, 11.5, QFont::Medium));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize ToolChip::sizeHint() const {
    const int content =
        static_cast<int>(glyphSize + glyphGap) + fontMetrics().horizontalAdvance(text());
    return {content + 24, chipHeight};
}

void ToolChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    m_press->scaled(painter, bounds);
    const Tones tones = Tones::of(palette());
    const bool on = isChecked();
    const bool hovered = underMouse() || hasFocus();
    painter.setPen(on ? Qt::NoPen : QPen(withAlpha(tones.primary, hovered ? 0.22 : 0.1), 1));
    painter.setBrush(on ? withAlpha(tones.primary, 0.06) : QColor(Qt::transparent));
    painter.drawRoundedRect(bounds, 9, 9);

    const QColor ink = on ? withAlpha(tones.primary, 0.75) : tones.secondary;
    const qreal textWidth = fontMetrics().horizontalAdvance(text());
    const qreal left = bounds.center().x() - (glyphSize + glyphGap + textWidth) / 2;
    drawGlyph(painter, m_glyph,
              QRectF(left, bounds.center().y() - glyphSize / 2, glyphSize, glyphSize), ink);
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(
        QRectF(left + glyphSize + glyphGap, bounds.top(), textWidth + 2, bounds.height()),
        Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace tessel
