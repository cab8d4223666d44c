#pragma once

#include <QLabel>

namespace tessel {

// A line saying what went wrong, in the accent so it stands out in either appearance;
// hidden while it has nothing to say. Plain text, as it may quote what the user typed.
class WarningLabel final : public QLabel {
    Q_OBJECT

public:
    explicit WarningLabel(QWidget* parent = nullptr);

    // Shows the text, or hides the line when it is empty.
    void say(const QString& text);
};

} // namespace tessel
