#pragma once

#include <QObject>
#include <QPainterPath>
#include <QRectF>
#include <QVariantAnimation>

#include <functional>
#include <optional>

namespace tessel {

// A black veil over a whole window with an optional clear, rounded opening. The opening jumps;
// the veil's opacity eases to each new target.
class Veil final : public QObject {
    Q_OBJECT

public:
    // `changed` receives the area to repaint.
    explicit Veil(std::function<void(const QRectF&)> changed);

    // The opening in window coordinates (y down), or none for a full veil.
    void setOpening(std::optional<QRectF> opening, double cornerRadius);
    void setTarget(double opacity, bool animate);

    double opacity() const { return m_opacity; }
    double target() const { return m_target; }
    const std::optional<QRectF>& opening() const { return m_opening; }

    void paint(QPainter& painter, const QRectF& bounds) const;

private:
    std::function<void(const QRectF&)> m_changed;
    std::optional<QRectF> m_opening;
    double m_cornerRadius = 0;
    double m_opacity = 0;
    double m_target = 0;
    QVariantAnimation m_animation;
};

} // namespace tessel
