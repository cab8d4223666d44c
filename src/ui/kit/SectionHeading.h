#pragma once

#include <QFont>

class QWidget;

namespace tessel {

class CrossFadeLabel;

// A small capital heading ("PAPER", "WEIGHT") in the secondary colour.
CrossFadeLabel* sectionHeading(const QString& text, QWidget* parent);

// The interface's text at a size in points, in Tessel's serif or the desktop's own face.
QFont interfaceFont(const QWidget& widget, qreal points, QFont::Weight weight = QFont::Normal);
QFont serifFont(const QWidget& widget, qreal points, qreal kerning = 0);

} // namespace tessel
