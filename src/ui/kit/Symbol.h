#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

namespace tessel {

// A freedesktop icon by name; desktops without a theme that has it fall back to Adwaita's.
QIcon themeIcon(const QString& name);

// A symbolic icon drawn in one colour, so it follows the window's appearance.
QPixmap symbol(const QString& name, const QColor& colour, int size, qreal pixelRatio);

} // namespace tessel
