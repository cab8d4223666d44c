#include "ui/settings/ActionButtons.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace tessel {

namespace {

constexpr int minimumHeight = 30;
constexpr int textPadding = 24;
constexpr int buttonGap = 10;

} // namespace

QPushButton* actionButton(const QString& text) {
    auto* button = new QPushButton(text);
    const int textWidth = button->fontMetrics().horizontalAdvance(text);
    button->setMinimumSize(std::max(button->sizeHint().width(), textWidth + 2 * textPadding),
                           minimumHeight);
    return button;
}

QWidget* buttonRow(const QList<QPushButton*>& buttons) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(buttonGap);
    for (QPushButton* button : buttons) {
        layout->addWidget(button);
    }
    layout->addStretch();
    return row;
}

} // namespace tessel
