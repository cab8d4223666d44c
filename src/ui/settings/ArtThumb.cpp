#include "ui/settings/ArtThumb.h"

#include "art/ArtLibrary.h"
#include "art/ImageFit.h"
#include "style/InterfacePalette.h"
#include "style/Metrics.h"
#include "ui/kit/ElidedLabel.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>

namespace tessel {

namespace {

constexpr qreal cornerRadius = 5;
// Enough pixels for a sharp thumbnail on a screen at twice the scale.
constexpr int pixelScale = 2;
constexpr qreal frameStrength = 0.12;

// Paintings are decoded once a run: the pane is built afresh each time it is shown.
QImage thumbnail(const ArtLibrary& library, const Painting& painting) {
    static QHash<QString, QImage> made;
    const auto found = made.constFind(painting.id);
    if (found != made.constEnd()) {
        return *found;
    }
    // Read at a few times the miniature's size, which JPEG decodes at a fraction of the cost.
    constexpr int readScale = 4;
    const QImage small = ArtThumb::miniature(
        readImageToFit(library.path(painting), ArtThumb::fixedSize * pixelScale * readScale));
    made.insert(painting.id, small);
    return small;
}

} // namespace

ArtThumb::ArtThumb(const ArtLibrary& library, const Painting& painting, QWidget* parent)
    : ArtThumb(shortTitle(painting.title), parent) {
    m_image = thumbnail(library, painting);
}

ArtThumb::ArtThumb(const QString& title, QWidget* parent)
    : QWidget(parent) {
    setFixedSize(fixedSize);
    setToolTip(plainToolTip(title));
}

void ArtThumb::setImage(const QImage& image) {
    m_image = image;
    update();
}

QImage ArtThumb::miniature(const QImage& image) {
    return image.isNull() ? image
                          : image.scaled(fixedSize * pixelScale, Qt::KeepAspectRatioByExpanding,
                                         Qt::SmoothTransformation);
}

void ArtThumb::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF frame = metrics::lineBounds(rect());
    QPainterPath shape;
    shape.addRoundedRect(frame, cornerRadius, cornerRadius);
    painter.setClipPath(shape);
    if (m_image.isNull()) {
        painter.fillPath(shape, withAlpha(Tones::of(palette()).primary, metrics::hairline));
    } else {
        // Centred and cropped, keeping the painting's proportions.
        const QSizeF shown =
            QSizeF(m_image.size()).scaled(frame.size(), Qt::KeepAspectRatioByExpanding);
        const QRectF target(frame.center() - QPointF(shown.width() / 2, shown.height() / 2), shown);
        painter.drawImage(target, m_image);
    }
    painter.setClipping(false);
    painter.setPen(QPen(withAlpha(Tones::of(palette()).primary, frameStrength), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
}

} // namespace tessel
