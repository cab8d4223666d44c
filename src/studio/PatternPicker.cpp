#include "studio/PatternPicker.h"

#include <QSignalBlocker>

namespace tessel {

PatternPicker::PatternPicker(QWidget* parent)
    : QComboBox(parent) {
    using Pattern = Recipe::Pattern;
    const std::pair<Pattern, QString> patterns[] = {
        {Pattern::none, QStringLiteral("None")},
        {Pattern::laid, QStringLiteral("Laid lines")},
        {Pattern::linen, QStringLiteral("Linen weave")},
        {Pattern::graph, QStringLiteral("Graph grid")},
    };
    for (const auto& [pattern, label] : patterns) {
        addItem(label, static_cast<int>(pattern));
    }
    connect(this, &QComboBox::activated, this, [this] { Q_EMIT picked(pattern()); });
}

Recipe::Pattern PatternPicker::pattern() const {
    return static_cast<Recipe::Pattern>(currentData().toInt());
}

void PatternPicker::setPattern(Recipe::Pattern pattern) {
    const QSignalBlocker quiet(this);
    setCurrentIndex(std::max(0, findData(static_cast<int>(pattern))));
}

} // namespace tessel
