#include "ui/popover/PaperSheet.h"

#include "core/ShadedWeight.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "style/Typefaces.h"

#include <QPainter>
#include <QVariantAnimation>

#include <cmath>

namespace tessel {

namespace {

constexpr qreal inset = 16;
constexpr qreal capsulePadding = 16;
// Between the slot's label and the status beside it.
constexpr qreal statusGap = metrics::gap;
// The top row: the slot's label, and the status in a capsule beside it.
constexpr qreal topRow = 14;
constexpr qreal topRowHeight = 18;
constexpr qreal labelText = 10;
constexpr qreal labelSpacing = 1;
constexpr qreal labelStrength = 0.6;
constexpr qreal capsuleExtra = 7;
constexpr qreal capsuleStrength = 0.8;
// A status arriving grows from this scale as it fades in.
constexpr qreal statusArrivalScale = 0.8;
constexpr qreal nameText = 38;
constexpr qreal nameTop = 40;
constexpr qreal noteStrength = 0.55;
constexpr qreal weightText = 28;
constexpr qreal weightBaseline = 18;
constexpr qreal unitStrength = 0.5;
constexpr float reliefStrength = 1.4f;

QFont spaced(QFont font, qreal spacing) {
    font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

} // namespace

PaperSheet::PaperSheet(QWidget* parent)
    : LitPaper(parent)
    , m_statusAnimation(new QVariantAnimation(this)) {
    setStrength(reliefStrength);
    m_statusAnimation->setDuration(220);
    m_statusAnimation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_statusAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_statusPresence = v.toDouble();
        update();
    });
}

void PaperSheet::setPaper(const Paper& paper, double gsm, bool night) {
    m_paper = paper;
    m_gsm = static_cast<int>(std::trunc(shadedGsm(gsm)));
    setNight(night);
    updateAccessibleName();
    update();
}

void PaperSheet::setStatus(const std::optional<QString>& status) {
    if (status == m_status) {
        return;
    }
    const bool wasShown = m_status.has_value();
    m_status = status;
    if (status) {
        m_shownStatus = *status;
    }
    if (!isVisible()) {
        m_statusAnimation->stop();
        m_statusPresence = status ? 1 : 0;
    } else if (wasShown != status.has_value()) {
        m_statusAnimation->stop();
        m_statusAnimation->setStartValue(m_statusPresence);
        m_statusAnimation->setEndValue(status ? 1.0 : 0.0);
        m_statusAnimation->start();
    }
    updateAccessibleName();
    update();
}

QString PaperSheet::label() const {
    return night() ? QStringLiteral("NIGHT PAPER") : QStringLiteral("DAY PAPER");
}

void PaperSheet::updateAccessibleName() {
    QStringList parts{night() ? QStringLiteral("Night paper") : QStringLiteral("Day paper"),
                      m_paper.name, QString::number(m_gsm) + QStringLiteral(" GSM")};
    if (m_status) {
        parts.append(*m_status);
    }
    setAccessibleName(parts.join(QStringLiteral(", ")));
}

void PaperSheet::paintEvent(QPaintEvent* event) {
    LitPaper::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QColor ink = night() ? InterfacePalette::paperWhite() : InterfacePalette::ink();
    paintTop(painter, ink);
    paintName(painter, ink);
    paintWeight(painter, ink);
}

void PaperSheet::paintTop(QPainter& painter, const QColor& ink) {
    const QFont labelFont = spaced(systemFont(labelText, QFont::DemiBold, *this), labelSpacing);
    painter.setFont(labelFont);
    painter.setPen(withAlpha(ink, labelStrength));
    const QRectF row(inset, topRow, width() - 2 * inset, topRowHeight);
    painter.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, label());
    const qreal labelWidth = QFontMetricsF(labelFont).horizontalAdvance(label());
    paintStatus(painter, ink, row.right(), row.width() - labelWidth - statusGap);
}

// The status names the app in front, so a long name is cut to the room beside the label.
void PaperSheet::paintStatus(QPainter& painter, const QColor& ink, qreal right, qreal room) {
    if (m_statusPresence <= 0.001) {
        return;
    }
    const QFont font = systemFont(metrics::smallText, QFont::DemiBold, *this);
    const QFontMetricsF measure(font);
    const QString status = measure.elidedText(m_shownStatus, Qt::ElideRight, room - capsulePadding);
    const QSizeF size(measure.horizontalAdvance(status) + capsulePadding,
                      measure.height() + capsuleExtra);
    const QRectF capsule(QPointF(right - size.width(), topRow + (topRowHeight - size.height()) / 2),
                         size);
    painter.save();
    painter.setOpacity(m_statusPresence);
    const qreal scale = statusArrivalScale + (1 - statusArrivalScale) * m_statusPresence;
    painter.translate(capsule.center());
    painter.scale(scale, scale);
    painter.translate(-capsule.center());
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(ink, metrics::hairline));
    painter.drawRoundedRect(capsule, size.height() / 2, size.height() / 2);
    painter.setFont(font);
    painter.setPen(withAlpha(ink, capsuleStrength));
    painter.drawText(capsule, Qt::AlignCenter, status);
    painter.restore();
}

void PaperSheet::paintName(QPainter& painter, const QColor& ink) {
    const QFont nameFont = mincho(nameText, *this);
    const QFontMetricsF nameMetrics(nameFont);
    painter.setFont(nameFont);
    painter.setPen(ink);
    const QRectF nameRow(inset, nameTop, width() - 2 * inset, nameMetrics.height());
    painter.drawText(nameRow, Qt::AlignLeft | Qt::AlignVCenter,
                     nameMetrics.elidedText(m_paper.name, Qt::ElideRight, nameRow.width()));

    const QFont noteFont = systemFont(metrics::chipText, QFont::Medium, *this);
    const QFontMetricsF noteMetrics(noteFont);
    painter.setFont(noteFont);
    painter.setPen(withAlpha(ink, noteStrength));
    const QRectF noteRow(inset, nameRow.bottom() + metrics::hairGap, nameRow.width(),
                         noteMetrics.height());
    painter.drawText(noteRow, Qt::AlignLeft | Qt::AlignVCenter,
                     noteMetrics.elidedText(m_paper.note, Qt::ElideRight, noteRow.width()));
}

void PaperSheet::paintWeight(QPainter& painter, const QColor& ink) {
    const QFont numberFont = mincho(weightText, *this);
    const QFontMetricsF numberMetrics(numberFont);
    const QString number = QString::number(m_gsm);
    const qreal baseline = height() - weightBaseline;
    painter.setFont(numberFont);
    painter.setPen(ink);
    painter.drawText(QPointF(inset, baseline), number);

    const QFont unitFont = spaced(systemFont(labelText, QFont::DemiBold, *this), labelSpacing);
    painter.setFont(unitFont);
    painter.setPen(withAlpha(ink, unitStrength));
    painter.drawText(
        QPointF(inset + numberMetrics.horizontalAdvance(number) + metrics::smallGap, baseline),
        QStringLiteral("GSM"));
}

} // namespace tessel
