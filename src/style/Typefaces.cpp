#include "style/Typefaces.h"

#include "style/StyleLog.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace tessel {

namespace {

const QString minchoFamily = QStringLiteral("Shippori Mincho");
const QString minchoFile = QStringLiteral(":/tessel/fonts/ShipporiMincho-Regular.woff2");

// Point sizes count 1/72 inch at the device's resolution; Tessel measures in logical pixels.
QFont sized(QFont font, double points, const QPaintDevice& device) {
    font.setPointSizeF(points * 72.0 / device.logicalDpiY());
    return font;
}

bool minchoAvailable() {
    if (QFontDatabase::hasFamily(minchoFamily) ||
        QFontDatabase::addApplicationFont(minchoFile) >= 0) {
        return true;
    }
    qCWarning(lcStyle, "cannot load %s: its text is set in the system font",
              qUtf8Printable(minchoFile));
    return false;
}

} // namespace

QFont mincho(double points, const QPaintDevice& device) {
    if (!minchoAvailable()) {
        return systemFont(points, QFont::Normal, device);
    }
    QFont font(minchoFamily);
    font.setStyleStrategy(QFont::PreferAntialias);
    return sized(font, points, device);
}

QFont systemFont(double points, QFont::Weight weight, const QPaintDevice& device) {
    QFont font = QGuiApplication::font();
    font.setWeight(weight);
    return sized(font, points, device);
}

} // namespace tessel
