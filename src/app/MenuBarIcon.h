#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

namespace tessel {

class Store;

// The panel icon: a sheet of paper with its top-right corner folded over, drawn at run time
// in a 14 × 16 point box. Off is a faded outline, Snoozed fills the bottom of the sheet,
// On fills the sheet and cuts the fold out of it.
namespace MenuBarIcon {

enum class State { off, snoozed, on };

State state(const Store& store);

// The glyph in `ink` over a `halo` a little wider than every stroke, so it reads on panels
// of either brightness. `scale` is device pixels per point; the image is 14 × 16 points.
QImage draw(State state, qreal scale, const QColor& ink, const QColor& halo = Qt::transparent);

// Square renderings for the common panel sizes at this pixel ratio, the glyph centred.
QIcon icon(State state, bool darkPanel, qreal devicePixelRatio);

} // namespace MenuBarIcon

} // namespace tessel
