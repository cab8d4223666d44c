#include "ui/settings/RadioPicker.h"

#include "style/Metrics.h"
#include "ui/settings/RadioButton.h"

#include <QButtonGroup>
#include <QVBoxLayout>

namespace tessel {

RadioPicker::RadioPicker(const QStringList& choices, QWidget* parent)
    : QWidget(parent)
    , m_group(new QButtonGroup(this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(metrics::smallGap);
    for (qsizetype i = 0; i < choices.size(); ++i) {
        auto* button = new RadioButton(choices[i]);
        m_group->addButton(button, static_cast<int>(i));
        column->addWidget(button);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &RadioPicker::chosen);
}

void RadioPicker::setCurrent(int index) {
    if (QAbstractButton* button = m_group->button(index)) {
        button->setChecked(true);
    }
}

int RadioPicker::current() const {
    return m_group->checkedId();
}

} // namespace tessel
