#pragma once

#include <QColor>
#include <QPalette>

namespace tessel {

// The few colours the popover, Settings and Welcome are drawn from, opaque sRGB.
namespace InterfacePalette {

QColor accent();
QColor paperWhite();
QColor ink();
QColor lightGrey();
QColor nearBlack();

// Window chrome in the desktop's light or dark appearance: the background and text roles
// every piece below reads, with the accent as highlight.
QPalette chrome(bool dark);

} // namespace InterfacePalette

// Text and line colours by emphasis, read from a palette so that they follow a widget's own.
struct Tones {
    QColor primary;
    QColor secondary;
    QColor tertiary;

    static Tones of(const QPalette& palette);
};

// The primary colour at an opacity, for fills and rings.
QColor withAlpha(QColor colour, qreal alpha);

} // namespace tessel
