#include "ui/settings/LampCard.h"

#include "style/InterfacePalette.h"
#include "style/LampLayerPainter.h"
#include "style/Metrics.h"
#include "ui/kit/SectionHeading.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace tessel {

namespace {

constexpr qreal cardRadius = metrics::cardRadius;
constexpr qreal previewRadius = 10;
constexpr int padding = metrics::tightGap;
constexpr int textGap = metrics::gap;
constexpr int textInset = metrics::smallGap;
constexpr int bottomExtra = 6;
constexpr qreal nameText = 12.5;
constexpr qreal bulbSide = 22;
constexpr qreal checkedWidth = 2;
constexpr qreal previewEdgeWidth = 0.8;
// The focus ring stands inside the checked outline, a quieter accent.
constexpr qreal focusInset = 3.5;
constexpr qreal focusStrength = 0.45;
constexpr qreal focusRadius = 11;
// Previews show each lamp at full strength, so that the small sheets tell them apart.
constexpr double previewStrength = 1;

QFont nameFont(const QWidget& widget) {
    return interfaceFont(widget, nameText, QFont::Medium);
}

QFont noteFont(const QWidget& widget) {
    return interfaceFont(widget, metrics::labelText);
}

bool darkChrome(const QWidget& widget) {
    return widget.palette().color(QPalette::Window).lightness() < 128;
}

// A bulb crossed out, in a 16 × 16 box.
void paintBulbOff(QPainter& painter, const QRectF& box, const QColor& colour) {
    painter.save();
    painter.translate(box.topLeft());
    painter.scale(box.width() / 16, box.height() / 16);
    painter.setPen(QPen(colour, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath bulb;
    bulb.moveTo(6, 11);
    bulb.cubicTo(6, 9, 3.5, 8, 3.5, 5.5);
    bulb.cubicTo(3.5, 3, 5.5, 1, 8, 1);
    bulb.cubicTo(10.5, 1, 12.5, 3, 12.5, 5.5);
    bulb.cubicTo(12.5, 8, 10, 9, 10, 11);
    painter.drawPath(bulb);
    painter.drawLine(QPointF(6, 12.8), QPointF(10, 12.8));
    painter.drawLine(QPointF(6.8, 14.8), QPointF(9.2, 14.8));
    painter.drawLine(QPointF(2, 1.5), QPointF(14, 14.5));
    painter.restore();
}

} // namespace

LampCard::LampCard(std::optional<Lamp> lamp, QWidget* parent)
    : QAbstractButton(parent)
    , m_lamp(std::move(lamp))
    , m_name(m_lamp ? m_lamp->name : QStringLiteral("No Lamp"))
    , m_note(m_lamp ? m_lamp->note : QStringLiteral("Paper only")) {
    setCheckable(true);
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(m_name);
    setAccessibleDescription(m_note);
    // Long notes are cut short on narrow cards.
    setToolTip(m_note);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

std::optional<QString> LampCard::lampId() const {
    return m_lamp ? std::optional(m_lamp->id) : std::nullopt;
}

// The pane decides which card is checked; a click only asks for it.
void LampCard::nextCheckState() {}

QSize LampCard::sizeHint() const {
    const int text = QFontMetrics(nameFont(*this)).height() + metrics::hairGap +
                     QFontMetrics(noteFont(*this)).height();
    return {minimumWidth, padding + previewHeight + textGap + text + padding + bottomExtra};
}

QRectF LampCard::previewRect() const {
    return QRectF(padding, padding, width() - 2 * padding, previewHeight);
}

void LampCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Tones tones = Tones::of(palette());
    const QRectF card = QRectF(rect()).adjusted(1, 1, -1, -1);
    painter.setPen(
        QPen(withAlpha(tones.primary, underMouse() ? metrics::rule : metrics::cardEdge), 1));
    painter.setBrush(palette().color(QPalette::AlternateBase));
    painter.drawRoundedRect(card, cardRadius, cardRadius);
    const QRectF sheet = previewRect();
    paintPreview(painter, sheet);
    paintText(painter,
              QRectF(sheet.left() + textInset, sheet.bottom() + textGap,
                     sheet.width() - 2 * textInset, height() - sheet.bottom() - textGap - padding));
    paintOutline(painter);
}

void LampCard::paintPreview(QPainter& painter, const QRectF& sheet) const {
    const bool dark = darkChrome(*this);
    QPainterPath shape;
    shape.addRoundedRect(sheet, previewRadius, previewRadius);
    painter.save();
    painter.setClipPath(shape);
    painter.fillPath(shape, dark ? QColor(0x34, 0x32, 0x2f) : QColor(0xf3, 0xef, 0xe6));
    if (m_lamp) {
        painter.translate(sheet.topLeft());
        for (const LampLayer& layer : m_lamp->layers(previewStrength, sheet.size())) {
            paintLampLayer(painter, layer);
        }
    } else {
        paintBulbOff(painter,
                     QRectF(sheet.center() - QPointF(bulbSide / 2, bulbSide / 2),
                            QSizeF(bulbSide, bulbSide)),
                     Tones::of(palette()).secondary);
    }
    painter.restore();
    painter.setPen(QPen(QColor(0, 0, 0, dark ? 60 : 24), previewEdgeWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
}

void LampCard::paintText(QPainter& painter, const QRectF& below) const {
    const Tones tones = Tones::of(palette());
    const QFont name = nameFont(*this);
    const QFont note = noteFont(*this);
    const QFontMetrics nameMetrics(name);
    const QFontMetrics noteMetrics(note);
    const int w = static_cast<int>(below.width());
    painter.setFont(name);
    painter.setPen(tones.primary);
    painter.drawText(QRectF(below.left(), below.top(), below.width(), nameMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     nameMetrics.elidedText(m_name, Qt::ElideRight, w));
    painter.setFont(note);
    painter.setPen(tones.secondary);
    painter.drawText(QRectF(below.left(), below.top() + nameMetrics.height() + metrics::hairGap,
                            below.width(), noteMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     noteMetrics.elidedText(m_note, Qt::ElideRight, w));
}

// The choice in the accent; keyboard focus as a quieter ring inside it.
void LampCard::paintOutline(QPainter& painter) const {
    painter.setBrush(Qt::NoBrush);
    if (isChecked()) {
        painter.setPen(QPen(InterfacePalette::accent(), checkedWidth));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), cardRadius, cardRadius);
    }
    if (hasFocus()) {
        painter.setPen(
            QPen(withAlpha(InterfacePalette::accent(), focusStrength), metrics::focusRingWidth));
        painter.drawRoundedRect(
            QRectF(rect()).adjusted(focusInset, focusInset, -focusInset, -focusInset), focusRadius,
            focusRadius);
    }
}

} // namespace tessel
