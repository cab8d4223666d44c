#include "ui/popover/ToolChip.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/PressScale.h"
#include "ui/kit/SectionHeading.h"

#include <QPainter>

namespace tessel {

namespace {

constexpr int chipHeight = 28;
constexpr qreal chipGlyphSize = 13;
constexpr qreal chipGlyphGap = metrics::smallGap;
constexpr int textPadding = 24;
// An unchecked chip is outlined, firmer under the pointer; a checked one is filled.
constexpr qreal outline = 0.1;
constexpr qreal hoveredOutline = 0.22;
constexpr qreal checkedInk = 0.75;

} // namespace

ToolChip::ToolChip(const QString& title, Glyph glyph, QWidget* parent)
    : QAbstractButton(parent)
    , m_glyph(glyph)
    , m_press(new PressScale(*this)) {
    setText(title);
    setCheckable(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setFont(interfaceFont(*this, metrics::chipText, QFont::Medium));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize ToolChip::sizeHint() const {
    const int content =
        static_cast<int>(chipGlyphSize + chipGlyphGap) + fontMetrics().horizontalAdvance(text());
    return {content + textPadding, chipHeight};
}

void ToolChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = metrics::lineBounds(rect());
    m_press->scaled(painter, bounds);
    const Tones tones = Tones::of(palette());
    const bool on = isChecked();
    const bool hovered = underMouse() || hasFocus();
    painter.setPen(on ? Qt::NoPen
                      : QPen(withAlpha(tones.primary, hovered ? hoveredOutline : outline), 1));
    painter.setBrush(on ? withAlpha(tones.primary, metrics::quietWash) : QColor(Qt::transparent));
    painter.drawRoundedRect(bounds, metrics::controlRadius, metrics::controlRadius);

    const QColor ink = on ? withAlpha(tones.primary, checkedInk) : tones.secondary;
    const qreal textWidth = fontMetrics().horizontalAdvance(text());
    const qreal left = bounds.center().x() - (chipGlyphSize + chipGlyphGap + textWidth) / 2;
    drawGlyph(painter, m_glyph,
              QRectF(left, bounds.center().y() - chipGlyphSize / 2, chipGlyphSize, chipGlyphSize),
              ink);
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(QRectF(left + chipGlyphSize + chipGlyphGap, bounds.top(),
                            textWidth + metrics::hairGap, bounds.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
}

} // namespace tessel
