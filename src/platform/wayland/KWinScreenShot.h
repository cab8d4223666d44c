#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QImage>
#include <QObject>
#include <QVariantMap>

#include <functional>
#include <list>
#include <memory>

namespace tessel {

// The image KWin's screenshot service wrote into the pipe, as its answer describes it; null
// where the two do not agree.
QImage screenShotImage(const QVariantMap& results, const QByteArray& pixels);

// Captures of whole outputs through KWin's screenshot service, leaving the caller's windows
// out. Each answer comes later from the event loop: the output's pixels, or a null image when
// KWin refuses or fails.
class KWinScreenShot final : public QObject {
    Q_OBJECT

public:
    // Whether the session's KWin offers the service at all.
    static bool offered(const QDBusConnection& bus);

    explicit KWinScreenShot(const QDBusConnection& bus);
    ~KWinScreenShot() override;

    void capture(const QString& outputName, std::function<void(QImage)> done);

    struct Capture;

private:
    void finish(Capture* capture);

    QDBusConnection m_bus;
    std::list<std::unique_ptr<Capture>> m_captures;
};

} // namespace tessel
