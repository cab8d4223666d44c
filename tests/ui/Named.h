#pragma once

#include <QAbstractButton>

namespace tessel {

// The child with this accessible name, or a button with this text.
template <typename Widget = QAbstractButton>
Widget* named(const QWidget& parent, const QString& name) {
    for (Widget* widget : parent.findChildren<Widget*>()) {
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        if (widget->accessibleName() == name || (button && button->text() == name)) {
            return widget;
        }
    }
    return nullptr;
}

} // namespace tessel
