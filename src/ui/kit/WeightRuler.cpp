#include "ui/kit/WeightRuler.h"

#include "core/ShadedWeight.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/CrossFadeLabel.h"
#include "ui/kit/SectionHeading.h"
#include "ui/kit/Spring.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <cmath>

namespace tessel {

namespace {

constexpr qreal headingHeight = 16;
constexpr qreal scaleTop = headingHeight + 10;
constexpr qreal scaleHeight = 16;
constexpr qreal labelGap = 6;
constexpr qreal labelHeight = 12;
constexpr int labelEvery = 60;
constexpr qreal labelWidth = 28;
constexpr qreal tickLabelText = 9;
constexpr int preferredScaleWidth = 240;
constexpr qreal majorTick = 14;
constexpr qreal minorTick = 8;
// Ticks up to the weight shown stand out; the rest recede.
constexpr qreal reachedTick = 0.85;
constexpr qreal unreachedTick = 0.2;
constexpr QSizeF thumbSize(3, 22);
// How far the thumb reaches below the scale.
constexpr qreal thumbDrop = 3;
// The focus ring leaves room for the thumb above the ticks.
constexpr QMarginsF focusMargins(4, 6, 4, 4);
constexpr qreal focusRadius = 4;
constexpr qreal focusStrength = 0.5;

} // namespace

WeightRuler::WeightRuler(QWidget* parent)
    : QAbstractSlider(parent)
    , m_class(new CrossFadeLabel(Qt::AlignRight, this))
    , m_thumb(new SpringAnimation({0.25, 1}, this))
    , m_dragEmphasis(new QVariantAnimation(this)) {
    setRange(static_cast<int>(limits::gsm.lowest), static_cast<int>(limits::gsm.highest));
    setSingleStep(10);
    setPageStep(labelEvery);
    setOrientation(Qt::Horizontal);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Paper weight"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_class->setFont(interfaceFont(*this, metrics::labelText, QFont::Medium));
    auto* heading = new QHBoxLayout;
    heading->setContentsMargins(0, 0, 0, 0);
    heading->addWidget(sectionHeading(QStringLiteral("WEIGHT"), this));
    heading->addWidget(m_class, 1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(overhang, 0, overhang, 0);
    column->addLayout(heading);
    column->addStretch();

    m_dragEmphasis->setDuration(160);
    connect(m_dragEmphasis, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_emphasis = v.toDouble();
        update();
    });
    connect(m_thumb, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_shown = v.toDouble();
        update();
    });
    connect(this, &QAbstractSlider::valueChanged, this, &WeightRuler::valueShown);
    m_shown = value();
    m_class->setText(weightClass(value()));
}

double WeightRuler::valueAt(double x, double w, double low, double high, double step) {
    double t = x / w;
    t = !(t > 0) ? 0 : std::min(t, 1.0);
    const double v = low + (high - low) * t;
    return std::round(v / step) * step;
}

QString WeightRuler::weightClass(double gsm) {
    if (gsm < 100) {
        return QStringLiteral("Light");
    }
    if (gsm < 170) {
        return QStringLiteral("Text weight");
    }
    if (gsm < 240) {
        return QStringLiteral("Cover weight");
    }
    return QStringLiteral("Board");
}

void WeightRuler::setGsm(double gsm) {
    m_syncing = true;
    setValue(static_cast<int>(std::lround(shadedGsm(gsm))));
    m_syncing = false;
}

QString WeightRuler::shownClass() const {
    return m_class->text();
}

QRectF WeightRuler::scale() const {
    return {static_cast<qreal>(overhang), scaleTop, width() - 2.0 * overhang, scaleHeight};
}

QSize WeightRuler::sizeHint() const {
    const int height =
        static_cast<int>(scaleTop + scaleHeight + labelGap + labelHeight + metrics::hairGap);
    return {preferredScaleWidth + 2 * overhang, height};
}

void WeightRuler::valueShown(int shown) {
    m_class->setText(weightClass(shown));
    if (isVisible()) {
        m_thumb->animate(m_shown, static_cast<double>(shown));
    } else {
        m_thumb->stop();
        m_shown = shown;
    }
    if (!m_syncing) {
        Q_EMIT chosen(shown);
    }
    update();
}

void WeightRuler::pointerAt(double x) {
    const QRectF area = scale();
    const double v = valueAt(x - area.left(), area.width(), minimum(), maximum(), singleStep());
    if (static_cast<int>(v) != value()) {
        setValue(static_cast<int>(v));
    }
}

void WeightRuler::setDragging(bool dragging) {
    if (dragging == m_dragging) {
        return;
    }
    m_dragging = dragging;
    m_dragEmphasis->stop();
    m_dragEmphasis->setStartValue(m_emphasis);
    m_dragEmphasis->setEndValue(dragging ? 1.0 : 0.0);
    m_dragEmphasis->start();
}

void WeightRuler::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractSlider::mousePressEvent(event);
        return;
    }
    setDragging(true);
    pointerAt(event->position().x());
    event->accept();
}

void WeightRuler::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) {
        pointerAt(event->position().x());
    }
    event->accept();
}

void WeightRuler::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging && event->button() == Qt::LeftButton) {
        pointerAt(event->position().x());
        setDragging(false);
    }
    event->accept();
}

void WeightRuler::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = scale();
    paintTicks(painter, area);
    paintThumb(painter, area);
    paintLabels(painter, area);
    if (hasFocus()) {
        painter.setPen(QPen(withAlpha(InterfacePalette::accent(), focusStrength), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(area + focusMargins, focusRadius, focusRadius);
    }
}

void WeightRuler::paintTicks(QPainter& painter, const QRectF& area) {
    const QColor primary = Tones::of(palette()).primary;
    const double span = maximum() - minimum();
    for (int tick = minimum(); tick <= maximum(); tick += singleStep()) {
        const qreal x = area.left() + (tick - minimum()) / span * area.width();
        const qreal tall = (tick % labelEvery == 0) ? majorTick : minorTick;
        painter.fillRect(QRectF(x - metrics::halfLine, area.bottom() - tall, 1, tall),
                         withAlpha(primary, tick <= m_shown + 0.5 ? reachedTick : unreachedTick));
    }
}

void WeightRuler::paintThumb(QPainter& painter, const QRectF& area) {
    const double span = maximum() - minimum();
    const qreal x = area.left() + (m_shown - minimum()) / span * area.width();
    const QRectF thumb(
        QPointF(x - thumbSize.width() / 2, area.bottom() + thumbDrop - thumbSize.height()),
        thumbSize);
    const QColor rest = Tones::of(palette()).primary;
    const QColor accent = InterfacePalette::accent();
    const auto mix = [this](qreal a, qreal b) { return a + (b - a) * m_emphasis; };
    const QColor colour = QColor::fromRgbF(static_cast<float>(mix(rest.redF(), accent.redF())),
                                           static_cast<float>(mix(rest.greenF(), accent.greenF())),
                                           static_cast<float>(mix(rest.blueF(), accent.blueF())));
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(thumb, thumbSize.width() / 2, thumbSize.width() / 2);
}

void WeightRuler::paintLabels(QPainter& painter, const QRectF& area) {
    painter.setFont(interfaceFont(*this, tickLabelText, QFont::Medium));
    painter.setPen(Tones::of(palette()).tertiary);
    const double span = maximum() - minimum();
    for (int tick = minimum(); tick <= maximum(); tick += labelEvery) {
        const qreal x = area.left() + (tick - minimum()) / span * area.width();
        painter.drawText(
            QRectF(x - labelWidth / 2, area.bottom() + labelGap, labelWidth, labelHeight),
            Qt::AlignCenter, QString::number(tick));
    }
}

} // namespace tessel
