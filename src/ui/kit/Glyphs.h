#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

namespace tessel {

// Line symbols for the interface, drawn to fit any square box so they stay sharp at every
// pixel ratio.
enum class Glyph { sun, moon, scope, ruler, eye, play, snooze, gear, chevronDown, chevronRight };

void drawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& colour);

} // namespace tessel
