#include "ui/kit/Symbol.h"

#include "ui/kit/UiLog.h"

#include <QPainter>
#include <QSet>
#include <QStandardPaths>

namespace tessel {

namespace {

// Sessions without a desktop's platform theme (a bare X session, the offscreen platform)
// give Qt no theme and no icon folders; look where the XDG folders say, with hicolor
// first and Adwaita's symbols behind it.
void findThemes() {
    if (!QIcon::themeName().isEmpty() && QIcon::fallbackThemeName() == u"Adwaita") {
        return;
    }
    QStringList paths = QIcon::themeSearchPaths();
    for (const QString& folder :
         QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                   QStandardPaths::LocateDirectory)) {
        if (!paths.contains(folder)) {
            paths << folder;
        }
    }
    QIcon::setThemeSearchPaths(paths);
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    if (QIcon::themeName().isEmpty()) {
        QIcon::setThemeName(QStringLiteral("hicolor"));
    }
}

// Symbols are drawn again on every repaint; saying so once a run is enough.
void reportMissing(const QString& name) {
    static QSet<QString> reported;
    if (!reported.contains(name)) {
        reported.insert(name);
        qCWarning(lcUi, "no icon %s in the icon themes: its place stays blank",
                  qUtf8Printable(name));
    }
}

} // namespace

QIcon themeIcon(const QString& name) {
    QIcon icon = QIcon::fromTheme(name);
    if (icon.isNull()) {
        findThemes();
        icon = QIcon::fromTheme(name);
    }
    return icon;
}

QPixmap symbol(const QString& name, const QColor& colour, int size, qreal pixelRatio) {
    QPixmap pixmap = themeIcon(name).pixmap(QSize(size, size), pixelRatio);
    if (pixmap.isNull()) {
        reportMissing(name);
        return pixmap;
    }
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(QPointF(), QSizeF(pixmap.size()) / pixmap.devicePixelRatio()), colour);
    return pixmap;
}

} // namespace tessel
