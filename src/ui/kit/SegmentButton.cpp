#include "ui/kit/SegmentButton.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/SectionHeading.h"

#include <QPainter>

namespace tessel {

namespace {

constexpr qreal glyphSize = 13;
constexpr qreal glyphGap = metrics::smallGap;
constexpr int segmentTextPadding = 40;
constexpr int segmentHeight = 30;
constexpr qreal focusInset = 3;
constexpr qreal focusRadius = 6;

} // namespace

SegmentButton::SegmentButton(const QString& text, Glyph glyph, QWidget* parent)
    : QAbstractButton(parent)
    , m_glyph(glyph) {
    setText(text);
    setCheckable(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    setFont(interfaceFont(*this, metrics::controlText, QFont::Medium));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize SegmentButton::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + segmentTextPadding, segmentHeight};
}

// The switch sets which half is chosen.
void SegmentButton::nextCheckState() {}

void SegmentButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Tones tones = Tones::of(palette());
    const QColor ink = isChecked() || underMouse() ? tones.primary : tones.secondary;
    const QRectF bounds(rect());
    const qreal textWidth = fontMetrics().horizontalAdvance(text());
    const qreal left = bounds.center().x() - (glyphSize + glyphGap + textWidth) / 2;
    drawGlyph(painter, m_glyph,
              QRectF(left, bounds.center().y() - glyphSize / 2, glyphSize, glyphSize), ink);
    painter.setPen(ink);
    painter.setFont(font());
    painter.drawText(QRectF(left + glyphSize + glyphGap, bounds.top(), textWidth + metrics::hairGap,
                            bounds.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
    if (hasFocus()) {
        painter.setPen(QPen(withAlpha(InterfacePalette::accent(), metrics::focusRing), 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(bounds.adjusted(focusInset, focusInset, -focusInset, -focusInset),
                                focusRadius, focusRadius);
    }
}

} // namespace tessel
