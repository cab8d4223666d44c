#include "ui/popover/LampButton.h"

#include "style/InterfacePalette.h"
#include "ui/kit/PressScale.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace tessel {

namespace {

QColor colourOf(const SrgbColor& c, qreal alpha = 1) {
    return QColor::fromRgbF(static_cast<float>(c.r), static_cast<float>(c.g),
                            static_cast<float>(c.b), static_cast<float>(alpha));
}

} // namespace

LampButton::LampButton(std::optional<Lamp> lamp, QWidget* parent)
    : QAbstractButton(parent)
    , m_lamp(std::move(lamp))
    , m_press(new PressScale(*this)) {
    setFixedSize(diameter, diameter);
    setCheckable(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::TabFocus);
    const QString name = m_lamp ? m_lamp->name : QStringLiteral("No lamp");
    setToolTip(name);
    setAccessibleName(name);
}

std::optional<QString> LampButton::lampId() const {
    return m_lamp ? std::optional(m_lamp->id) : std::nullopt;
}

// The row decides which lamp is checked; a click only asks for it.
void LampButton::nextCheckState() {}

void LampButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(rect());
    m_press->scaled(painter, bounds);
    const QRectF face = bounds.adjusted(4, 4, -4, -4);
    if (m_lamp) {
        paintLamp(painter, face);
    } else {
        paintNoLamp(painter, face);
    }
    const Tones tones = Tones::of(palette());
    if (isChecked()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(tones.primary, 1.5));
        painter.drawEllipse(bounds.adjusted(0.75, 0.75, -0.75, -0.75));
    } else if (underMouse() || hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(tones.tertiary, 1));
        painter.drawEllipse(bounds.adjusted(1, 1, -1, -1));
    }
}

// The glow as the lamp throws it: its colour at the centre falling off towards the rim,
// over the wash when the lamp has one.
void LampButton::paintLamp(QPainter& painter, const QRectF& face) const {
    const Lamp::Glow& glow = m_lamp->glows.front();
    const QColor base = m_lamp->wash ? colourOf(*m_lamp->wash) : colourOf(glow.color).lighter(108);
    painter.setPen(Qt::NoPen);
    painter.setBrush(base);
    painter.drawEllipse(face);
    const QPointF centre(face.left() + face.width() * std::clamp(glow.x, 0.1, 0.9),
                         face.top() + face.height() * std::clamp(glow.y, 0.1, 0.9));
    QRadialGradient gradient(centre, face.width() * 0.9);
    gradient.setColorAt(0, colourOf(glow.color));
    gradient.setColorAt(1, colourOf(glow.color, 0.15));
    painter.setBrush(gradient);
    painter.drawEllipse(face);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 30), 0.5));
    painter.drawEllipse(face);
}

void LampButton::paintNoLamp(QPainter& painter, const QRectF& face) const {
    const QColor line = Tones::of(palette()).secondary;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(line, 1.2));
    painter.drawEllipse(face.adjusted(0.6, 0.6, -0.6, -0.6));
    const qreal reach = face.width() / 2 * std::sqrt(0.5);
    const QPointF c = face.center();
    painter.drawLine(c + QPointF(-reach, reach), c + QPointF(reach, -reach));
}

} // namespace tessel
