#pragma once

#include <QRadioButton>

namespace tessel {

// A radio button drawn from the interface's own tones, so its ring and mark read as clearly
// in the dark appearance as in the light whatever the desktop's style: an outlined circle,
// filled with the accent and a white dot when chosen.
class RadioButton final : public QRadioButton {
public:
    explicit RadioButton(const QString& text, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tessel
