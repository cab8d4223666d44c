#include "ui/settings/RadioButton.h"

#include "style/InterfacePalette.h"
#include "style/Metrics.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace tessel {

namespace {

constexpr qreal ringWidth = 1.25;
constexpr qreal ringStrength = 0.5;
constexpr qreal dotFraction = 0.38;
constexpr qreal markDiameter = 15;
constexpr qreal focusGap = 1;
// Room on the left for the focus ring around the mark.
constexpr int focusRoom = 3;

} // namespace

RadioButton::RadioButton(const QString& text, QWidget* parent)
    : QRadioButton(text, parent) {
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

void RadioButton::paintEvent(QPaintEvent*) {
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect indicator = style()
                                ->subElementRect(QStyle::SE_RadioButtonIndicator, &option, this)
                                .translated(focusRoom, 0);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_RadioButtonContents, &option, this)
                               .translated(focusRoom, 0);
    const Tones tones = Tones::of(palette());
    const QColor accent = InterfacePalette::accent();

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal diameter =
        std::min<qreal>(markDiameter, std::min(indicator.width(), indicator.height()));
    const QRectF mark(QPointF(indicator.center()) + QPointF(0.5, 0.5) -
                          QPointF(diameter, diameter) / 2,
                      QSizeF(diameter, diameter));
    if (isChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(isEnabled() ? accent : tones.tertiary);
        painter.drawEllipse(mark);
        const qreal dot = diameter * dotFraction;
        painter.setBrush(Qt::white);
        painter.drawEllipse(QRectF(mark.center() - QPointF(dot, dot) / 2, QSizeF(dot, dot)));
    } else {
        const QColor ring = !isEnabled()   ? tones.tertiary
                            : underMouse() ? tones.primary
                                           : withAlpha(tones.primary, ringStrength);
        painter.setPen(QPen(ring, ringWidth));
        painter.setBrush(withAlpha(tones.primary, metrics::faintWash));
        painter.drawEllipse(
            mark.adjusted(ringWidth / 2, ringWidth / 2, -ringWidth / 2, -ringWidth / 2));
    }
    if ((option.state & QStyle::State_HasFocus) &&
        (option.state & QStyle::State_KeyboardFocusChange)) {
        painter.setPen(QPen(withAlpha(accent, metrics::focusRing), metrics::focusRingWidth));
        painter.setBrush(Qt::NoBrush);
        const qreal out = metrics::focusRingWidth / 2 + focusGap;
        painter.drawEllipse(mark.adjusted(-out, -out, out, out));
    }
    painter.setPen(isEnabled() ? tones.primary : tones.tertiary);
    painter.setFont(font());
    painter.drawText(contents, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, text());
}

QSize RadioButton::sizeHint() const {
    return QRadioButton::sizeHint() + QSize(focusRoom, 0);
}

QSize RadioButton::minimumSizeHint() const {
    return QRadioButton::minimumSizeHint() + QSize(focusRoom, 0);
}

} // namespace tessel
