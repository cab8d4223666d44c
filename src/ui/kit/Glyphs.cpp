#include "ui/kit/Glyphs.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace tessel {

namespace {

// Every symbol is drawn in a 16 × 16 box, then scaled to the one asked for.
constexpr qreal unit = 16;

void sun(QPainter& p) {
    p.drawEllipse(QPointF(8, 8), 3, 3);
    for (int i = 0; i < 8; ++i) {
        const double angle = i * std::numbers::pi / 4;
        const QPointF direction(std::cos(angle), std::sin(angle));
        p.drawLine(QPointF(8, 8) + direction * 5.2, QPointF(8, 8) + direction * 7);
    }
}

QPainterPath crescent(QPointF centre, qreal radius) {
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    QPainterPath bite;
    bite.addEllipse(centre + QPointF(radius * 0.62, -radius * 0.5), radius * 0.82, radius * 0.82);
    return disc.subtracted(bite);
}

void moon(QPainter& p) {
    p.drawPath(crescent(QPointF(7.5, 8.5), 6));
}

void scope(QPainter& p) {
    p.drawEllipse(QPointF(8, 8), 5.5, 5.5);
    p.drawEllipse(QPointF(8, 8), 1.2, 1.2);
    p.drawLine(QPointF(8, 0.8), QPointF(8, 4));
    p.drawLine(QPointF(8, 12), QPointF(8, 15.2));
    p.drawLine(QPointF(0.8, 8), QPointF(4, 8));
    p.drawLine(QPointF(12, 8), QPointF(15.2, 8));
}

void ruler(QPainter& p) {
    p.drawLine(QPointF(6, 4), QPointF(15, 4));
    p.drawLine(QPointF(1, 8), QPointF(15, 8));
    p.drawLine(QPointF(1, 12), QPointF(11, 12));
    QPainterPath arrow;
    arrow.moveTo(1, 1.8);
    arrow.lineTo(4.4, 4);
    arrow.lineTo(1, 6.2);
    arrow.closeSubpath();
    p.drawPath(arrow);
}

void eye(QPainter& p) {
    QPainterPath lids;
    lids.moveTo(1, 8);
    lids.quadTo(8, -0.5, 15, 8);
    lids.quadTo(8, 16.5, 1, 8);
    p.drawPath(lids);
    p.drawEllipse(QPointF(8, 8), 2.6, 2.6);
}

void play(QPainter& p) {
    QPainterPath triangle;
    triangle.moveTo(4, 2.5);
    triangle.lineTo(13.5, 8);
    triangle.lineTo(4, 13.5);
    triangle.closeSubpath();
    p.fillPath(triangle, p.pen().color());
    p.drawPath(triangle);
}

void snooze(QPainter& p) {
    p.drawPath(crescent(QPointF(6.5, 9.5), 5.5));
    QPainterPath z;
    z.moveTo(10.5, 1.5);
    z.lineTo(14.5, 1.5);
    z.lineTo(10.5, 6);
    z.lineTo(14.5, 6);
    p.drawPath(z);
}

void gear(QPainter& p) {
    for (int i = 0; i < 8; ++i) {
        const double angle = i * std::numbers::pi / 4;
        const QPointF direction(std::cos(angle), std::sin(angle));
        p.drawLine(QPointF(8, 8) + direction * 5, QPointF(8, 8) + direction * 7.2);
    }
    p.drawEllipse(QPointF(8, 8), 5, 5);
    p.drawEllipse(QPointF(8, 8), 2, 2);
}

void chevronDown(QPainter& p) {
    p.drawPolyline(QPolygonF({QPointF(4, 6), QPointF(8, 10), QPointF(12, 6)}));
}

void chevronRight(QPainter& p) {
    p.drawPolyline(QPolygonF({QPointF(6, 4), QPointF(10, 8), QPointF(6, 12)}));
}

} // namespace

void drawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& colour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(box.width(), box.height());
    painter.translate(box.center() - QPointF(side, side) / 2);
    painter.scale(side / unit, side / unit);
    QPen pen(colour, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    switch (glyph) {
    case Glyph::sun:
        sun(painter);
        break;
    case Glyph::moon:
        moon(painter);
        break;
    case Glyph::scope:
        scope(painter);
        break;
    case Glyph::ruler:
        ruler(painter);
        break;
    case Glyph::eye:
        eye(painter);
        break;
    case Glyph::play:
        play(painter);
        break;
    case Glyph::snooze:
        snooze(painter);
        break;
    case Glyph::gear:
        gear(painter);
        break;
    case Glyph::chevronDown:
        chevronDown(painter);
        break;
    case Glyph::chevronRight:
        chevronRight(painter);
        break;
    }
    painter.restore();
}

} // namespace tessel
