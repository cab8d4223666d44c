#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

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

// Text and line colours by emphasis, read from a widget's palette so that they follow it.
struct Tones {
    QColor primary;
    QColor secondary;
    QColor tertiary;

    static Tones of(const QWidget& widget);
};

// The primary colour at an opacity, for fills and rings.
QColor withAlpha(QColor colour, qreal alpha);

} // namespace tessel
