#pragma once

#include <QLabel>

namespace tessel {

// A centred line or paragraph of the Welcome window; secondary text reads a little softer.
QLabel* welcomeTitle(const QString& text, qreal points, qreal kerning, QWidget* parent);
QLabel* welcomeText(const QString& text, qreal points, QWidget* parent, bool secondary = false);

} // namespace tessel
