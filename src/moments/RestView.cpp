#include "moments/RestView.h"

#include "paper/LitPreview.h"
#include "style/Easing.h"
#include "style/Typefaces.h"

#include <QFontMetricsF>

namespace tessel {

namespace {

constexpr double ringSize = 140;
constexpr double columnGap = 40;
constexpr double lineGap = 10;
constexpr double entranceRise = 10;
constexpr double hintInset = 36;
constexpr int entranceMs = 800;
constexpr int breathMs = 4000;
constexpr int changeMs = 350;
const QPointF sheetLight(200, -200);
constexpr float sheetStrength = 1.2F;

QColor ink(bool night, double opacity) {
    QColor colour =
        night ? QColor::fromRgbF(0.94F, 0.94F, 0.93F) : QColor::fromRgbF(0.086F, 0.086F, 0.086F);
    colour.setAlphaF(static_cast<float>(opacity));
    return colour;
}

void animateTo(QVariantAnimation& animation, double& value, int duration, bool instant) {
    animation.stop();
    if (instant) {
        value = 1;
        return;
    }
    animation.setDuration(duration);
    animation.setStartValue(0.0);
    animation.setEndValue(1.0);
    animation.start();
}

} // namespace

QString restCue(int seconds, int left) {
    const int elapsed = seconds - left;
    const int phase = ((elapsed % 8) + 8) % 8;
    return phase < 4 ? QStringLiteral("Breathe in") : QStringLiteral("Breathe out");
}

RestView::RestView(Platform& platform, int seconds, bool night, QImage preview)
    : m_platform(platform)
    , m_seconds(seconds)
    , m_night(night)
    , m_preview(std::move(preview))
    , m_left(seconds)
    , m_tick(platform.makeTimer([this] { countDown(); }))
    , m_previousLeft(seconds) {
    const auto follow = [this](QVariantAnimation& animation, double& value) {
        connect(&animation, &QVariantAnimation::valueChanged, this,
                [this, &value](const QVariant& v) {
                    value = v.toDouble();
                    Q_EMIT changed();
                });
    };
    follow(m_entrance, m_appeared);
    follow(m_breathing, m_breath);
    follow(m_cueChange, m_cueFade);
    follow(m_rollChange, m_roll);
    m_entrance.setEasingCurve(easeOut());
    m_cueChange.setEasingCurve(easeInOut());
    m_rollChange.setEasingCurve(easeInOut());
    m_breathing.setEasingCurve(easeInOutAndBack());
    m_breathing.setLoopCount(-1);
}

RestView::~RestView() = default;

bool RestView::isBreathing() const {
    return m_breathing.state() == QAbstractAnimation::Running;
}

void RestView::appear() {
    const bool still = m_platform.reduceMotion();
    animateTo(m_entrance, m_appeared, entranceMs, still);
    if (!still) {
        m_breathing.setDuration(2 * breathMs);
        m_breathing.setStartValue(0.0);
        m_breathing.setEndValue(1.0);
        m_breathing.start();
    }
    if (m_left > 0) {
        m_tick->start(std::chrono::seconds(1), true);
    }
    Q_EMIT changed();
}

void RestView::countDown() {
    if (m_left <= 0) {
        m_tick->stop();
        return;
    }
    const QString before = cue();
    m_previousLeft = m_left--;
    const bool still = m_platform.reduceMotion();
    animateTo(m_rollChange, m_roll, changeMs, still);
    if (cue() != before) {
        m_previousCue = before;
        animateTo(m_cueChange, m_cueFade, changeMs, still);
    }
    if (m_left == 0) {
        m_tick->stop();
    }
    Q_EMIT changed();
}

const RestView::Fonts& RestView::fontsFor(const QPaintDevice& device) {
    if (m_fonts.dpi != device.logicalDpiY()) {
        m_fonts = {device.logicalDpiY(), mincho(30, device), systemFont(13, QFont::Medium, device),
                   mincho(16, device), systemFont(11, QFont::Medium, device)};
    }
    return m_fonts;
}

const QImage& RestView::sheetFor(QSizeF size, qreal ratio) {
    if (!m_preview.isNull() && (m_sheet.isNull() || m_sheet.deviceIndependentSize() != size ||
                                m_sheet.devicePixelRatio() != ratio)) {
        m_sheet = litPreview(m_preview, size, ratio, sheetLight, sheetStrength, m_night);
    }
    return m_sheet;
}

void RestView::paint(QPainter& painter, QSizeF size) {
    const Fonts& fonts = fontsFor(*painter.device());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), size), litPaperColour(m_night));
    if (const QImage& sheet = sheetFor(size, painter.device()->devicePixelRatioF());
        !sheet.isNull()) {
        painter.setOpacity(0.9);
        painter.drawImage(QPointF(0, 0), sheet);
    }

    const double titleHeight = QFontMetricsF(fonts.title, painter.device()).height();
    const double cueHeight = QFontMetricsF(fonts.cue, painter.device()).height();
    const double countHeight = QFontMetricsF(fonts.count, painter.device()).height();
    const double column =
        ringSize + columnGap + titleHeight + lineGap + cueHeight + columnGap + countHeight;
    double y = (size.height() - column) / 2 + (1 - m_appeared) * entranceRise;
    const double width = size.width();

    painter.setOpacity(m_appeared);
    paintRing(painter, QPointF(width / 2, y + ringSize / 2));
    y += ringSize + columnGap;

    painter.setFont(fonts.title);
    painter.setPen(ink(m_night, 1));
    painter.drawText(QRectF(0, y, width, titleHeight), Qt::AlignCenter,
                     QStringLiteral("Look at something far away"));
    y += titleHeight + lineGap;

    painter.setFont(fonts.cue);
    const QRectF cueLine(0, y, width, cueHeight);
    if (m_cueFade < 1) {
        painter.setPen(ink(m_night, 0.55 * (1 - m_cueFade)));
        painter.drawText(cueLine, Qt::AlignCenter, m_previousCue);
    }
    painter.setPen(ink(m_night, 0.55 * m_cueFade));
    painter.drawText(cueLine, Qt::AlignCenter, cue());
    y += cueHeight + columnGap;

    painter.setFont(fonts.count);
    paintCountdown(painter, QRectF(0, y, width, countHeight));

    painter.setOpacity(1);
    painter.setFont(fonts.hint);
    painter.setPen(ink(m_night, 0.35));
    const double hintHeight = QFontMetricsF(fonts.hint, painter.device()).height();
    painter.drawText(QRectF(0, size.height() - hintInset - hintHeight, width, hintHeight),
                     Qt::AlignCenter, QStringLiteral("Click or press any key to skip"));
}

// A 1-point line inside the ring's bounds, scaled with it about its centre.
void RestView::paintRing(QPainter& painter, QPointF centre) const {
    const double scale = ringScale();
    QPen pen(ink(m_night, 0.35 * ringOpacity()));
    pen.setWidthF(scale);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double radius = (ringSize - 1) / 2 * scale;
    painter.drawEllipse(centre, radius, radius);
}

// Digits in cells of equal width, so the number keeps still as it counts; a change rolls the
// old value down and out while the new one comes down into place.
void RestView::paintCountdown(QPainter& painter, const QRectF& line) const {
    const QFontMetricsF metrics(painter.font(), painter.device());
    double cell = 0;
    for (char digit = '0'; digit <= '9'; ++digit) {
        cell = std::max(cell, metrics.horizontalAdvance(QLatin1Char(digit)));
    }
    const double travel = line.height() * 0.6;
    const auto drawNumber = [&](int value, double offset, double opacity) {
        const QString text = QString::number(value);
        double x = line.center().x() - cell * text.size() / 2;
        painter.setPen(ink(m_night, 0.4 * opacity));
        for (const QChar digit : text) {
            painter.drawText(QRectF(x, line.y() + offset, cell, line.height()), Qt::AlignCenter,
                             QString(digit));
            x += cell;
        }
    };
    if (m_roll < 1) {
        drawNumber(m_previousLeft, m_roll * travel, 1 - m_roll);
    }
    drawNumber(m_left, (m_roll - 1) * travel, m_roll);
}

} // namespace tessel
