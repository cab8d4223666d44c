#pragma once

#include <QLabel>
#include <QMargins>

namespace tessel {

// What the steps share: their margins, their titles' size, and how the space left above and
// below their content divides, so that it sits a little above the middle.
namespace welcome {

inline constexpr QMargins pageMargins(48, 48, 48, 56);
inline constexpr qreal stepTitle = 30;
inline constexpr int spaceAbove = 5;
inline constexpr int spaceBelow = 6;

} // namespace welcome

// A centred line or paragraph of the Welcome window; secondary text reads a little softer.
QLabel* welcomeTitle(const QString& text, qreal points, qreal kerning, QWidget* parent);
QLabel* welcomeText(const QString& text, qreal points, QWidget* parent, bool secondary = false);

} // namespace tessel
