#pragma once

#include <QImage>
#include <QRgb>

namespace tessel {

// What lay under translucent paper, from the screen as captured. Paper of alpha a over U shows
// C = (1 − a)·U + a·O, so U = (C − a·O) / (1 − a), where a·O is the paper's premultiplied
// pixel. Through nearly opaque paper too little shows to tell, and the capture stands as it is.
QRgb unblendPixel(QRgb captured, QRgb paper);

// The same for every pixel of a capture, with the paper as the compositor was given it,
// scaled to the capture where the two differ.
QImage unblend(const QImage& captured, const QImage& paper);

} // namespace tessel
