#pragma once

#include <QMenu>

namespace tessel {

// A menu that opens from the popover looking like part of it: the popover's colours, face
// and rule, and a quiet wash under the item at hand instead of the desktop's highlight.
class PopoverMenu final : public QMenu {
    Q_OBJECT

public:
    explicit PopoverMenu(QWidget* parent = nullptr);

    // Takes the colours and face of the widget it opens from; call before each opening, as
    // the appearance may have changed since.
    void follow(const QWidget& source);
};

} // namespace tessel
