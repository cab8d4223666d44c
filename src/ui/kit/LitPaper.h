#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <optional>

namespace tessel {

class SpringAnimation;
struct Spring;

// A sheet of paper whose relief is lit by a light that follows the pointer, and rests above
// the top edge, a fifth of the way across, while the pointer is elsewhere. Renders only when
// the light, the size or the paper change.
class LitPaper : public QWidget {
    Q_OBJECT

public:
    explicit LitPaper(QWidget* parent = nullptr);
    // The light goes back to rest on this spring when the pointer leaves.
    LitPaper(Spring restSpring, QWidget* parent);

    // A grey preview; a null image shows the plain sheet colour.
    void setPreview(const QImage& preview);
    void setNight(bool night);
    void setStrength(float strength);
    void setCornerRadius(qreal radius);
    // Where the light rests, in the sheet's coordinates; none keeps the usual place.
    void setRestingLight(std::optional<QPointF> point);

    bool night() const { return m_night; }
    QPointF light() const { return m_light; }
    QPointF restingLight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void placeLight(QPointF at);
    void invalidate();

    QImage m_preview;
    bool m_night = false;
    float m_strength = 1.4f;
    qreal m_radius = 12;
    QPointF m_light;
    std::optional<QPointF> m_restingLight;
    bool m_pointerInside = false;
    SpringAnimation* m_lightAnimation;
    QImage m_rendered;
    QPointF m_renderedLight;
};

} // namespace tessel
