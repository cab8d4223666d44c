#pragma once

#include <QObject>
#include <QPainter>
#include <QSizeF>

namespace tessel {

// What a moment shows on one screen. Painted in points, y down, over the whole screen.
class MomentView : public QObject {
    Q_OBJECT

public:
    // Starts the entrance; the window calls it once, as it is first shown.
    virtual void appear() = 0;
    virtual void paint(QPainter& painter, QSizeF size) = 0;

Q_SIGNALS:
    // The view needs painting again.
    void changed();
};

} // namespace tessel
