#pragma once

#include "paper/Recipe.h"

#include <QComboBox>

namespace tessel {

// The four patterns a paper can carry, by their names.
class PatternPicker final : public QComboBox {
    Q_OBJECT

public:
    explicit PatternPicker(QWidget* parent = nullptr);

    Recipe::Pattern pattern() const;
    // Shows a pattern without announcing it as a choice.
    void setPattern(Recipe::Pattern pattern);

Q_SIGNALS:
    void picked(Recipe::Pattern pattern);
};

} // namespace tessel
