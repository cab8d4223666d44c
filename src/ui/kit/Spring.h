#pragma once

#include <QVariantAnimation>

namespace tessel {

// A damped spring from 0 to 1: response is the period of the undamped swing in seconds,
// damping the fraction of critical damping (1 never overshoots).
struct Spring {
    double response = 0.45;
    double damping = 0.82;

    // The one the interface shares, for the Day/Night switch and choosing a paper.
    static Spring shared() { return {0.45, 0.82}; }

    // Position after `seconds`, starting at rest at 0; settles at 1.
    double at(double seconds) const;
    // How long until it stays within 0.1 % of 1.
    int settleMilliseconds() const;
};

// Moves a double, a QPointF or a QRectF along a spring.
class SpringAnimation final : public QVariantAnimation {
    Q_OBJECT

public:
    SpringAnimation(Spring spring, QObject* parent);

    // Restarts from `from` towards `to`.
    void animate(const QVariant& from, const QVariant& to);

protected:
    QVariant interpolated(const QVariant& from, const QVariant& to, qreal progress) const override;

private:
    Spring m_spring;
};

} // namespace tessel
