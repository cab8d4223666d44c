#pragma once

#include <QAbstractSlider>
#include <QRectF>

class QVariantAnimation;

namespace tessel {

class CrossFadeLabel;
class SpringAnimation;

// A paper's weight on a drawn scale: "WEIGHT" and its class above, a tick per step, a thumb
// at the value and labels every 60 gsm below. A press or a drag anywhere sets the value the
// pointer's x stands for; to assistive technology it is the slider "Paper weight".
// The tick labels overhang the scale by `overhang` on each side, so lay it out that much
// wider than the scale should be.
class WeightRuler final : public QAbstractSlider {
    Q_OBJECT

public:
    static constexpr int overhang = 14;

    explicit WeightRuler(QWidget* parent = nullptr);

    // The value x stands for on a scale w wide: clamped to the scale, then rounded to the
    // nearest step, halves away from zero. A NaN x counts as the left edge.
    static double valueAt(double x, double w, double low, double high, double step);
    // "Light", "Text weight", "Cover weight" or "Board".
    static QString weightClass(double gsm);

    // Shows a weight without announcing it as a choice.
    void setGsm(double gsm);
    QString shownClass() const;
    // The scale, in the ruler's coordinates.
    QRectF scale() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    // The user picked a weight: by pointer or by keyboard.
    void chosen(double gsm);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void pointerAt(double x);
    void setDragging(bool dragging);
    void valueShown(int value);
    void paintTicks(QPainter& painter, const QRectF& area);
    void paintThumb(QPainter& painter, const QRectF& area);
    void paintLabels(QPainter& painter, const QRectF& area);

    CrossFadeLabel* m_class;
    SpringAnimation* m_thumb;
    QVariantAnimation* m_dragEmphasis;
    double m_shown = 0;
    qreal m_emphasis = 0;
    bool m_dragging = false;
    bool m_syncing = false;
};

} // namespace tessel
