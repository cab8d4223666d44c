#include "ui/kit/FloatSlider.h"

#include <algorithm>
#include <cmath>

namespace tessel {

FloatSlider::FloatSlider(double low, double high, QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
    , m_low(low)
    , m_high(high)
    , m_value(low) {
    setRange(0, resolution);
    setSingleStep(resolution / 100);
    setPageStep(resolution / 10);
    connect(this, &QSlider::valueChanged, this, &FloatSlider::positionChanged);
}

void FloatSlider::setValue(double value) {
    m_value = std::isnan(value) ? m_low : std::clamp(value, m_low, m_high);
    m_syncing = true;
    QSlider::setValue(
        static_cast<int>(std::lround((m_value - m_low) / (m_high - m_low) * resolution)));
    m_syncing = false;
}

void FloatSlider::positionChanged(int position) {
    if (m_syncing) {
        return;
    }
    m_value = m_low + (m_high - m_low) * position / resolution;
    Q_EMIT moved(m_value);
}

} // namespace tessel
