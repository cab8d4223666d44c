#pragma once

#include "paper/Paper.h"

#include <QAbstractButton>
#include <QImage>

namespace tessel {

class PressScale;
class SpringAnimation;

// One paper in a grid: its preview lit in the slot's colours, ringed when it is the choice.
class Swatch final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr QSize fixedSize{44, 56};

    Swatch(const Paper& paper, QWidget* parent = nullptr);

    const Paper& paper() const { return m_paper; }
    void setPreview(const QImage& preview);
    void setNight(bool night);
    // Selected swatches carry the ring and read as checked to assistive technology.
    void setSelected(bool selected);

    QSize sizeHint() const override { return fixedSize; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

private:
    Paper m_paper;
    QImage m_preview;
    bool m_night = false;
    QImage m_rendered;
    qreal m_ring = 0;
    PressScale* m_press;
    SpringAnimation* m_ringAnimation;
};

} // namespace tessel
