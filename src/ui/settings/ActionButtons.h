#pragma once

#include <QList>
#include <QString>

class QPushButton;
class QWidget;

namespace tessel {

// A push button with room around its text, whatever the desktop's style gives it.
QPushButton* actionButton(const QString& text);

// Buttons side by side on the left of a pane, below its sections.
QWidget* buttonRow(const QList<QPushButton*>& buttons);

} // namespace tessel
