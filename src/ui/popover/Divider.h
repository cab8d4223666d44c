#pragma once

#include <QWidget>

namespace tessel {

// A hairline across the popover, faint in either appearance.
class Divider final : public QWidget {
    Q_OBJECT

public:
    explicit Divider(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessel
