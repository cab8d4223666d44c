#include "ui/kit/PressButton.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/PressScale.h"
#include "ui/kit/SectionHeading.h"

#include <QPainter>

namespace tessel {

namespace {

constexpr QSize pressTextPadding(44, 18);
// The outline and the face change under the pointer.
constexpr qreal outline = 0.18;
constexpr qreal hoveredOutline = 0.35;
constexpr qreal hoveredFace = 0.86;
constexpr qreal focusStrength = 0.7;

} // namespace

PressButton::PressButton(const QString& text, Kind kind, QWidget* parent)
    : QPushButton(text, parent)
    , m_kind(kind)
    , m_press(new PressScale(*this)) {
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    setFont(interfaceFont(*this, metrics::buttonText,
                          kind == Kind::prominent ? QFont::DemiBold : QFont::Medium));
}

QSize PressButton::sizeHint() const {
    return {fontMetrics().horizontalAdvance(text()) + pressTextPadding.width(),
            fontMetrics().height() + pressTextPadding.height()};
}

void PressButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(1, 1, -1, -1);
    m_press->scaled(painter, bounds);
    const Tones tones = Tones::of(palette());
    const bool hovered = underMouse();
    const qreal radius = bounds.height() / 2;
    QColor label = tones.primary;
    if (m_kind == Kind::prominent) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(withAlpha(tones.primary, hovered ? hoveredFace : 1));
        painter.drawRoundedRect(bounds, radius, radius);
        label = palette().color(QPalette::Window);
    } else {
        painter.setPen(QPen(withAlpha(tones.primary, hovered ? hoveredOutline : outline), 1));
        painter.setBrush(hovered ? withAlpha(tones.primary, metrics::hoverWash)
                                 : QColor(Qt::transparent));
        painter.drawRoundedRect(metrics::lineBounds(bounds), radius, radius);
    }
    if (hasFocus()) {
        painter.setPen(
            QPen(withAlpha(InterfacePalette::accent(), focusStrength), metrics::focusRingWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(bounds.adjusted(-0.25, -0.25, 0.25, 0.25), radius, radius);
    }
    painter.setPen(label);
    painter.setFont(font());
    painter.drawText(bounds, Qt::AlignCenter, text());
}

} // namespace tessel
