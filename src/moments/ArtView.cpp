#include "moments/ArtView.h"

#include "style/Easing.h"
#include "style/Typefaces.h"

#include <QFontMetricsF>
#include <QPauseAnimation>
#include <QRadialGradient>
#include <QVariantAnimation>

#include <cstdlib>

namespace tessel {

namespace {

constexpr int entranceDelayMs = 200;
constexpr int entranceMs = 1600;
constexpr double captionGap = 34;
constexpr double lineGap = 6;
constexpr double captionRise = 8;
constexpr double settledFrom = 0.985;
constexpr double shadowRadius = 30;
constexpr double shadowDrop = 22;
constexpr double shadowOpacity = 0.45;

QColor withAlpha(QColor colour, double alpha) {
    colour.setAlphaF(static_cast<float>(alpha));
    return colour;
}

} // namespace

ArtView::ArtView(Platform& platform, Painting painting, QImage image)
    : m_platform(platform)
    , m_painting(std::move(painting))
    , m_image(std::move(image))
    , m_collection(gallery::collection(m_painting.collection)) {
    auto* settle = new QVariantAnimation(&m_entrance);
    settle->setDuration(entranceMs);
    settle->setStartValue(0.0);
    settle->setEndValue(1.0);
    settle->setEasingCurve(easeOut());
    connect(settle, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_appeared = value.toDouble();
        Q_EMIT changed();
    });
    m_entrance.addPause(entranceDelayMs);
    m_entrance.addAnimation(settle);
}

ArtView::~ArtView() = default;

void ArtView::appear() {
    if (m_platform.reduceMotion()) {
        m_appeared = 1;
        Q_EMIT changed();
        return;
    }
    m_entrance.start();
}

const ArtView::Hanging& ArtView::hangingFor(QSizeF screen, const QPaintDevice& device) {
    const qreal ratio = device.devicePixelRatioF();
    if (m_hanging.screen == screen && m_hanging.ratio == ratio &&
        m_hanging.dpi == device.logicalDpiY()) {
        return m_hanging;
    }
    const ArtLayout layout = artLayout(screen, aspectOf(m_image), m_collection);
    const double s = layout.scale;
    QFont credit = systemFont(11 * s, QFont::Medium, device);
    credit.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    // An image read ahead for this screen is already the size it hangs, give or take the
    // rounding of a pixel; only another screen's needs scaling.
    QImage picture;
    const QSize target = (layout.picture * ratio).toSize();
    const QSize off = m_image.size() - target;
    if (!m_image.isNull()) {
        picture = std::abs(off.width()) <= 1 && std::abs(off.height()) <= 1
                      ? m_image
                      : m_image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        picture.setDevicePixelRatio(ratio);
    }
    m_hanging = {screen,
                 ratio,
                 device.logicalDpiY(),
                 layout,
                 mincho(19 * s, device),
                 credit,
                 picture,
                 softShadow(layout.framed, shadowRadius * s)};
    return m_hanging;
}

void ArtView::paint(QPainter& painter, QSizeF size) {
    const Hanging& hanging = hangingFor(size, *painter.device());
    const ArtLayout& layout = hanging.layout;
    const double s = layout.scale;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    paintWall(painter, size);

    const double titleHeight = QFontMetricsF(hanging.title, painter.device()).height();
    const double creditHeight = QFontMetricsF(hanging.credit, painter.device()).height();
    const double captionHeight = titleHeight + lineGap * s + creditHeight;
    const double column = layout.framed.height() + captionGap * s + captionHeight;
    const QRectF framed(
        QPointF((size.width() - layout.framed.width()) / 2, (size.height() - column) / 2),
        layout.framed);

    painter.save();
    const QPointF centre(size.width() / 2, framed.top() + column / 2);
    const double settle = settledFrom + (1 - settledFrom) * m_appeared;
    painter.translate(centre);
    painter.scale(settle, settle);
    painter.translate(-centre);
    paintFramed(painter, framed);
    paintCaption(painter, QRectF(framed.left(),
                                 framed.bottom() + captionGap * s + (1 - m_appeared) * captionRise,
                                 framed.width(), captionHeight));
    painter.restore();
}

void ArtView::paintWall(QPainter& painter, QSizeF size) const {
    const QRectF all(QPointF(0, 0), size);
    painter.fillRect(all, m_collection.wall);
    QRadialGradient light(QPointF(size.width() * 0.5, size.height() * 0.38), size.width() * 0.55);
    light.setColorAt(0, withAlpha(Qt::white, m_collection.hasDarkWall() ? 0.07 : 0.25));
    light.setColorAt(1, withAlpha(Qt::white, 0));
    painter.fillRect(all, light);
}

// Inside out: picture, mat, the hairline where the mat is cut, frame; the shadow beneath all.
void ArtView::paintFramed(QPainter& painter, const QRectF& framed) const {
    const ArtLayout& layout = m_hanging.layout;
    const double s = layout.scale;
    const SoftShadow& shadow = m_hanging.shadow;
    painter.setOpacity(shadowOpacity);
    painter.drawImage(shadow.bounds.translated(framed.topLeft() + QPointF(0, shadowDrop * s)),
                      shadow.image);
    painter.setOpacity(1);
    painter.fillRect(framed, m_collection.frame);
    const QRectF matted = framed.adjusted(layout.frame, layout.frame, -layout.frame, -layout.frame);
    if (m_collection.mat) {
        painter.fillRect(matted, *m_collection.mat);
    }
    const QRectF picture = matted.adjusted(layout.mat, layout.mat, -layout.mat, -layout.mat);
    if (m_hanging.picture.isNull()) {
        painter.fillRect(picture, QColor::fromRgbF(0.5F, 0.5F, 0.5F));
    } else {
        painter.drawImage(picture.topLeft(), m_hanging.picture);
    }
    if (m_collection.mat) {
        painter.setPen(QPen(withAlpha(Qt::black, 0.12), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(picture.adjusted(-0.5, -0.5, 0.5, 0.5));
    }
}

void ArtView::paintCaption(QPainter& painter, const QRectF& caption) const {
    const QColor ink =
        m_collection.hasDarkWall() ? withAlpha(Qt::white, 0.88) : withAlpha(Qt::black, 0.8);
    painter.setOpacity(m_appeared);
    painter.setPen(ink);
    painter.setFont(m_hanging.title);
    const QFontMetricsF titleMetrics(m_hanging.title, painter.device());
    const QString title =
        titleMetrics.elidedText(shortTitle(m_painting.title), Qt::ElideRight, caption.width());
    painter.drawText(QRectF(caption.left(), caption.top(), caption.width(), titleMetrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, title);
    painter.setOpacity(m_appeared * 0.6);
    painter.setFont(m_hanging.credit);
    const QFontMetricsF creditMetrics(m_hanging.credit, painter.device());
    const double top = caption.top() + titleMetrics.height() + lineGap * m_hanging.layout.scale;
    painter.drawText(
        QRectF(caption.left(), top, caption.width(), creditMetrics.height()),
        Qt::AlignHCenter | Qt::AlignTop,
        creditMetrics.elidedText(artistAndDate(m_painting), Qt::ElideRight, caption.width()));
    painter.setOpacity(1);
}

} // namespace tessel
