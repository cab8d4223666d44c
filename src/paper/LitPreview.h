#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSizeF>

namespace tessel {

// The sheet colour of a lit preview: (0.965, 0.965, 0.957) by day, (0.118, 0.118, 0.125) by
// night, opaque.
QColor litPaperColour(bool night);

// Paper relief lit by a point light, for views that show a paper's grey preview as a sheet.
// The preview is laid at scale 2 (each preview pixel covers half a point) and repeated to fill
// viewSize (points); light is a point in the view's coordinates (y down), anywhere, even
// outside the view, and is taken to hang above the sheet. strength scales the relief (0 gives
// the flat sheet; views use about 1 to 2). Slopes are measured 1 point either side of a pixel.
// Returns an opaque Format_RGB32 image of viewSize × devicePixelRatio pixels (rounded up) with
// that device pixel ratio; a plain fill of litPaperColour when preview is null; a null image
// when the view is empty, not finite or wider or taller than 16384 pixels. A ratio outside
// [1/16384, 16384] or NaN acts as 1. Pure; safe on any thread.
QImage litPreview(const QImage& preview, QSizeF viewSize, qreal devicePixelRatio, QPointF light,
                  float strength, bool night);

} // namespace tessel
