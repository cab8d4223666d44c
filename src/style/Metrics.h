#pragma once

#include <QRectF>

// The interface's shared measures, in points, so that windows built apart still match.
namespace tessel::metrics {

// Washes and lines as fractions of the text colour, weakest first.
inline constexpr qreal faintWash = 0.035;
inline constexpr qreal hoverWash = 0.04;
inline constexpr qreal quietWash = 0.06;
inline constexpr qreal hairline = 0.08;
inline constexpr qreal cardEdge = 0.09;
inline constexpr qreal rule = 0.16;

// Text by emphasis, as fractions of the primary text colour.
inline constexpr qreal secondaryText = 0.56;
inline constexpr qreal tertiaryText = 0.32;

// Keyboard focus: the accent at this strength and width.
inline constexpr qreal focusRing = 0.6;
inline constexpr qreal focusRingWidth = 1.5;

// Text sizes, smallest first.
inline constexpr qreal noteText = 9.5;
inline constexpr qreal footnoteText = 10;
inline constexpr qreal smallText = 10.5;
inline constexpr qreal labelText = 11;
inline constexpr qreal chipText = 11.5;
inline constexpr qreal controlText = 12;
inline constexpr qreal buttonText = 13;

// Space between pieces, smallest first; `edge` is where content starts inside a window.
inline constexpr int hairGap = 2;
inline constexpr int tightGap = 4;
inline constexpr int smallGap = 6;
inline constexpr int gap = 8;
inline constexpr int wideGap = 12;
inline constexpr int edge = 18;

// Corner radii of controls and of cards.
inline constexpr qreal controlRadius = 9;
inline constexpr qreal cardRadius = 14;

// Symbols beside text.
inline constexpr int symbolSize = 16;

// A one-point line centred on a pixel edge blurs over two pixels; half a point in, it covers
// one.
inline constexpr qreal halfLine = 0.5;

inline QRectF lineBounds(const QRectF& rect) {
    return rect.adjusted(halfLine, halfLine, -halfLine, -halfLine);
}

} // namespace tessel::metrics
