#pragma once

#include <QSlider>

namespace tessel {

// A horizontal slider over a continuous range of real numbers. Its steps are fine enough
// that a drag feels continuous; values set from outside are kept exactly.
class FloatSlider final : public QSlider {
    Q_OBJECT

public:
    FloatSlider(double low, double high, QWidget* parent = nullptr);

    // Shows a value without announcing it as a choice; clamped to the range.
    void setValue(double value);
    double value() const { return m_value; }
    double low() const { return m_low; }
    double high() const { return m_high; }

Q_SIGNALS:
    // The user moved the slider, by pointer or keyboard.
    void moved(double value);

private:
    void positionChanged(int position);

    static constexpr int resolution = 10000;
    double m_low;
    double m_high;
    double m_value;
    bool m_syncing = false;
};

} // namespace tessel
