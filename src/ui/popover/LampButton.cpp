#include "ui/popover/LampButton.h"

#include "style/InterfacePalette.h"
#include "ui/kit/PressScale.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace tessel {

namespace {

constexpr qreal faceInset = 4;
constexpr qreal ringWidth = 1.5;
constexpr qreal crossWidth = 1.2;
constexpr qreal edgeWidth = 0.5;
// The glow stays inside the face, however near its rim the lamp throws it.
constexpr qreal glowMargin = 0.1;
constexpr qreal glowReach = 0.9;
constexpr qreal rimAlpha = 0.15;
constexpr int washLightness = 108;

QRectF insetBy(const QRectF& rect, qreal inset) {
    return rect.adjusted(inset, inset, -inset, -inset);
}

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
    const QRectF face = insetBy(bounds, faceInset);
    if (m_lamp) {
        paintLamp(painter, face);
    } else {
        paintNoLamp(painter, face);
    }
    const Tones tones = Tones::of(palette());
    if (isChecked()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(tones.primary, ringWidth));
        painter.drawEllipse(insetBy(bounds, ringWidth / 2));
    } else if (underMouse() || hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(tones.tertiary, 1));
        painter.drawEllipse(insetBy(bounds, 1));
    }
}

// The glow as the lamp throws it: its colour at the centre falling off towards the rim,
// over the wash when the lamp has one.
void LampButton::paintLamp(QPainter& painter, const QRectF& face) const {
    const Lamp::Glow& glow = m_lamp->glows.front();
    const QColor base =
        m_lamp->wash ? colourOf(*m_lamp->wash) : colourOf(glow.color).lighter(washLightness);
    painter.setPen(Qt::NoPen);
    painter.setBrush(base);
    painter.drawEllipse(face);
    const QPointF centre(
        face.left() + face.width() * std::clamp(glow.x, glowMargin, 1 - glowMargin),
        face.top() + face.height() * std::clamp(glow.y, glowMargin, 1 - glowMargin));
    QRadialGradient gradient(centre, face.width() * glowReach);
    gradient.setColorAt(0, colourOf(glow.color));
    gradient.setColorAt(1, colourOf(glow.color, rimAlpha));
    painter.setBrush(gradient);
    painter.drawEllipse(face);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 30), edgeWidth));
    painter.drawEllipse(face);
}

void LampButton::paintNoLamp(QPainter& painter, const QRectF& face) const {
    const QColor line = Tones::of(palette()).secondary;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(line, crossWidth));
    painter.drawEllipse(insetBy(face, crossWidth / 2));
    const qreal reach = face.width() / 2 * std::sqrt(0.5);
    const QPointF c = face.center();
    painter.drawLine(c + QPointF(-reach, reach), c + QPointF(reach, -reach));
}

} // namespace tessel
