#include "ui/popover/LampRow.h"

#include "paper/Lamp.h"
#include "ui/popover/LampButton.h"

#include <QHBoxLayout>

namespace tessel {

LampRow::LampRow(QWidget* parent)
    : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    m_buttons.append(new LampButton(std::nullopt, this));
    for (const Lamp& lamp : Lamp::presets()) {
        m_buttons.append(new LampButton(lamp, this));
    }
    for (LampButton* button : m_buttons) {
        if (button != m_buttons.front()) {
            row->addStretch();
        }
        row->addWidget(button);
        connect(button, &QAbstractButton::clicked, this,
                [this, button] { Q_EMIT chosen(button->lampId()); });
    }
    setSelected(std::nullopt);
}

void LampRow::setSelected(const std::optional<QString>& lampId) {
    m_selected = lampId;
    for (LampButton* button : m_buttons) {
        button->setSelected(button->lampId() == lampId);
    }
}

} // namespace tessel
