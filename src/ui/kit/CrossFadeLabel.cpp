#include "ui/kit/CrossFadeLabel.h"

#include "style/Easing.h"
#include "style/InterfacePalette.h"

#include <QPainter>
#include <QVariantAnimation>

namespace tessel {

namespace {

// Spaced capitals measure a shade narrower than they draw.
constexpr int capitalsSlack = 4;

} // namespace

CrossFadeLabel::CrossFadeLabel(Qt::Alignment alignment, QWidget* parent)
    : QWidget(parent)
    , m_alignment(alignment)
    , m_fade(new QVariantAnimation(this)) {
    m_fade->setDuration(150);
    m_fade->setEasingCurve(easeOut());
    m_fade->setStartValue(0.0);
    m_fade->setEndValue(1.0);
    connect(m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        m_progress = v.toDouble();
        update();
    });
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void CrossFadeLabel::setText(const QString& text) {
    if (text == m_text) {
        return;
    }
    m_previous = m_progress < 0.5 ? m_previous : m_text;
    m_text = text;
    setAccessibleName(text);
    if (!isVisible()) {
        m_progress = 1;
        return;
    }
    m_progress = 0;
    m_fade->stop();
    m_fade->start();
    update();
}

QSize CrossFadeLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(m_text) + capitalsSlack, metrics.height()};
}

void CrossFadeLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QColor colour = Tones::of(palette()).secondary;
    const QRect area = rect();
    const auto draw = [&](const QString& text, qreal opacity) {
        if (!text.isEmpty() && opacity > 0) {
            painter.setOpacity(opacity);
            painter.setPen(colour);
            painter.drawText(area, static_cast<int>(m_alignment | Qt::AlignVCenter),
                             fontMetrics().elidedText(text, Qt::ElideRight, area.width()));
        }
    };
    draw(m_previous, 1 - m_progress);
    draw(m_text, m_progress);
}

} // namespace tessel
