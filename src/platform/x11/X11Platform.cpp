#include "platform/x11/X11Platform.h"

#include "platform/QtTimer.h"
#include "platform/x11/ScreenIdentity.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

namespace tessel {

namespace {

// Qt's desktop runs y down from the primary screen's top; Tessel's runs y up from its bottom.
double primaryBottom() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->geometry().bottom() + 1 : 0;
}

QRectF toYUp(const QRectF& rect) {
    return QRectF(rect.x(), primaryBottom() - rect.bottom(), rect.width(), rect.height());
}

} // namespace

X11Platform::X11Platform(QString defaultsDirectory)
    : m_defaults(std::move(defaultsDirectory)) {
    watchScreens();
}

void X11Platform::watchScreens() {
    const auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, &Platform::screensChanged);
    };
    for (QScreen* screen : QGuiApplication::screens()) {
        watch(screen);
    }
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
        watch(screen);
        Q_EMIT screensChanged();
    });
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &Platform::screensChanged);
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &Platform::screensChanged);
}

QList<ScreenInfo> X11Platform::screens() const {
    QList<QScreen*> ordered = QGuiApplication::screens();
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        ordered.removeOne(primary);
        ordered.prepend(primary);
    }
    QList<ScreenInfo> result;
    for (const QScreen* screen : ordered) {
        result.append({screenIdentifier(*screen), screen->name(), toYUp(screen->geometry()),
                       screen->devicePixelRatio()});
    }
    return result;
}

bool X11Platform::systemIsDark() const {
    const QPalette palette = QGuiApplication::palette();
    return palette.color(QPalette::WindowText).lightness() >
           palette.color(QPalette::Window).lightness();
}

bool X11Platform::onBatteryPower() const {
    return false;
}

bool X11Platform::reduceMotion() const {
    return qEnvironmentVariable("TESSEL_REDUCE_MOTION") == u"1";
}

std::optional<AppInfo> X11Platform::frontmostApp() const {
    return std::nullopt;
}

QList<AppInfo> X11Platform::runningApps() const {
    return {};
}

std::optional<QRectF> X11Platform::frontWindowRect(std::optional<qint32>) const {
    return std::nullopt;
}

QPointF X11Platform::cursorPosition() const {
    const QPoint pos = QCursor::pos();
    return {static_cast<double>(pos.x()), primaryBottom() - pos.y()};
}

bool X11Platform::screenCaptureAllowed() const {
    return true;
}

QImage X11Platform::captureScreen(const QString&, QSize) const {
    return {};
}

QDateTime X11Platform::now() const {
    return QDateTime::currentDateTimeUtc();
}

QTimeZone X11Platform::timeZone() const {
    return QTimeZone::systemTimeZone();
}

std::unique_ptr<Timer> X11Platform::makeTimer(std::function<void()> action) {
    return std::make_unique<QtTimer>(std::move(action));
}

} // namespace tessel
