#pragma once

#include <QAbstractButton>

class QVariantAnimation;

namespace tessel {

// A small on/off switch tinted with the accent when on. Its text is for assistive
// technology only; put a visible label beside it if one is wanted.
class Toggle final : public QAbstractButton {
    Q_OBJECT

public:
    explicit Toggle(QWidget* parent = nullptr);

    QSize sizeHint() const override { return {34, 20}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVariantAnimation* m_knob;
    qreal m_position = 0;
};

} // namespace tessel
