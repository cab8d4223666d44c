#pragma once

#include "paper/Lamp.h"

#include <QAbstractButton>

#include <optional>

namespace tessel {

class PressScale;

// A round button for one lamp, painted from its glow colours, or for no lamp: a circle
// crossed at 45°. The selected one carries a ring and reads as checked.
class LampButton final : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr int diameter = 28;

    LampButton(std::optional<Lamp> lamp, QWidget* parent = nullptr);

    std::optional<QString> lampId() const;
    void setSelected(bool selected) { setChecked(selected); }

    QSize sizeHint() const override { return {diameter, diameter}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;

private:
    void paintLamp(QPainter& painter, const QRectF& face) const;
    void paintNoLamp(QPainter& painter, const QRectF& face) const;

    std::optional<Lamp> m_lamp;
    PressScale* m_press;
};

} // namespace tessel
