#pragma once

#include <QObject>

class QAbstractButton;
class QPainter;
class QRectF;

namespace tessel {

class SpringAnimation;

// The press behaviour shared by Tessel's buttons: a pressed button shrinks to 97 % on a
// quick spring and springs back when released. The button paints through `scaled`.
class PressScale final : public QObject {
    Q_OBJECT

public:
    explicit PressScale(QAbstractButton& button);

    qreal scale() const { return m_scale; }
    // Scales the painter about the centre of `rect`.
    void scaled(QPainter& painter, const QRectF& rect) const;

private:
    void pressedChanged(bool down);

    QAbstractButton& m_button;
    SpringAnimation* m_animation;
    qreal m_scale = 1;
};

} // namespace tessel
