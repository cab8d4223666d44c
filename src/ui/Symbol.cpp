#include "ui/Symbol.h"

#include <QPainter>

namespace tessel {

QIcon themeIcon(const QString& name) {
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull() && QIcon::fallbackThemeName() != u"Adwaita") {
        QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        icon = QIcon::fromTheme(name);
    }
    return icon;
}

QPixmap symbol(const QString& name, const QColor& colour, int size, qreal pixelRatio) {
    QPixmap pixmap = themeIcon(name).pixmap(QSize(size, size), pixelRatio);
    if (pixmap.isNull()) {
        return pixmap;
    }
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(QPointF(), QSizeF(pixmap.size()) / pixmap.devicePixelRatio()), colour);
    return pixmap;
}

} // namespace tessel
