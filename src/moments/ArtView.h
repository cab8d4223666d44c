#pragma once

#include "art/Painting.h"
#include "moments/ArtLayout.h"
#include "moments/MomentView.h"
#include "moments/SoftShadow.h"
#include "platform/Platform.h"

#include <QFont>
#include <QImage>
#include <QSequentialAnimationGroup>

namespace tessel {

// A painting framed on its collection's gallery wall, with its title and artist below.
class ArtView final : public MomentView {
    Q_OBJECT

public:
    // image: the painting's image, or a null image for a grey stand-in.
    ArtView(Platform& platform, Painting painting, QImage image);
    ~ArtView() override;

    // After 0.2 s the picture settles to full size and the caption rises into view.
    void appear() override;
    void paint(QPainter& painter, QSizeF size) override;

    const Painting& painting() const { return m_painting; }
    double appeared() const { return m_appeared; }

private:
    // What depends on the screen: layout, fonts at the screen's scale, the scaled picture.
    struct Hanging {
        QSizeF screen;
        qreal ratio = 0;
        int dpi = 0;
        ArtLayout layout;
        QFont title;
        QFont credit;
        QImage picture;
        SoftShadow shadow;
    };

    const Hanging& hangingFor(QSizeF screen, const QPaintDevice& device);
    void paintWall(QPainter& painter, QSizeF size) const;
    void paintFramed(QPainter& painter, const QRectF& framed) const;
    void paintCaption(QPainter& painter, const QRectF& caption) const;

    Platform& m_platform;
    Painting m_painting;
    QImage m_image;
    const gallery::Collection& m_collection;
    Hanging m_hanging;
    double m_appeared = 0;
    QSequentialAnimationGroup m_entrance;
};

} // namespace tessel
