#pragma once

#include <QWidget>

namespace tessel {

class Toggle;

// "Tessel" in the serif, and the switch that turns paper on and off.
class PopoverHeader final : public QWidget {
    Q_OBJECT

public:
    explicit PopoverHeader(QWidget* parent = nullptr);

    Toggle* paperSwitch() const { return m_switch; }

private:
    Toggle* m_switch;
};

} // namespace tessel
