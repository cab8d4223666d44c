#include "app/MenuBarIcon.h"

#include "core/Store.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tessel {

namespace {

constexpr QSizeF glyphSize(14, 16);
constexpr qreal lineWidth = 1.2;
constexpr qreal haloWidth = 1.6;
constexpr qreal haloStrength = 0.6;
// Off is the sheet's outline, faded like anything switched off, so that it cannot be taken
// for Snoozed at panel size.
constexpr qreal offOpacity = 0.5;

QPainterPath sheet() {
    QPainterPath path;
    path.moveTo(1.5, 1.5);
    path.lineTo(8, 1.5);
    path.lineTo(12.5, 6);
    path.lineTo(12.5, 14.5);
    path.lineTo(1.5, 14.5);
    path.closeSubpath();
    return path;
}

QPainterPath fold() {
    QPainterPath path;
    path.moveTo(8, 1.5);
    path.lineTo(8, 6);
    path.lineTo(12.5, 6);
    return path;
}

// Snoozed fills the bottom of the sheet, low enough to read apart from the full On sheet.
constexpr QRectF lowerPart(1.5, 10, 11, 4.5);

void stroke(QPainter& p, const QPainterPath& path, const QColor& colour, qreal width) {
    p.strokePath(path, QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// One pass of the glyph; `extra` widens every edge for the halo pass.
void paintGlyph(QPainter& p, MenuBarIcon::State state, const QColor& colour, qreal extra) {
    using State = MenuBarIcon::State;
    QPainterPath body;
    if (state == State::on) {
        body = sheet();
    } else if (state == State::snoozed) {
        body.addRect(lowerPart);
    }
    p.fillPath(body, colour);
    if (extra > 0) {
        stroke(p, body, colour, extra);
    }
    if (state != State::on || extra > 0) {
        stroke(p, sheet(), colour, lineWidth + extra);
        stroke(p, fold(), colour, lineWidth + extra);
    }
}

} // namespace

MenuBarIcon::State MenuBarIcon::state(const Store& store) {
    if (!store.settings().enabled) {
        return State::off;
    }
    return store.isSnoozed() ? State::snoozed : State::on;
}

QImage MenuBarIcon::draw(State state, qreal scale, const QColor& ink, const QColor& halo) {
    const QSize pixels(static_cast<int>(std::ceil(glyphSize.width() * scale)),
                       static_cast<int>(std::ceil(glyphSize.height() * scale)));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    if (state == State::off) {
        p.setOpacity(offOpacity);
    }
    if (halo.alpha() > 0) {
        paintGlyph(p, state, halo, haloWidth);
    }
    paintGlyph(p, state, ink, 0);
    if (state == State::on) {
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        stroke(p, fold(), Qt::black, lineWidth);
    }
    return image;
}

QIcon MenuBarIcon::icon(State state, bool darkPanel, qreal devicePixelRatio) {
    const QColor ink = darkPanel ? QColor(245, 245, 240) : QColor(24, 24, 26);
    QColor halo = darkPanel ? QColor(0, 0, 0) : QColor(255, 255, 255);
    halo.setAlphaF(haloStrength);
    QIcon icon;
    for (const int side : {16, 22, 24, 32, 48, 64}) {
        const int pixels = static_cast<int>(std::lround(side * devicePixelRatio));
        // A point of margin above and below the 16-point glyph.
        const qreal scale = pixels / (glyphSize.height() + 2);
        const QImage glyph = draw(state, scale, ink, halo);
        QImage canvas(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter p(&canvas);
        p.drawImage((pixels - glyph.width()) / 2, (pixels - glyph.height()) / 2, glyph);
        p.end();
        QPixmap pixmap = QPixmap::fromImage(canvas);
        pixmap.setDevicePixelRatio(devicePixelRatio);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace tessel
