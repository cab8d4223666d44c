#include "platform/wayland/KWinScreenShot.h"

#include "platform/PlatformLog.h"
#include "platform/wayland/KWinScript.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace tessel {

namespace {

using namespace Qt::StringLiterals;

const QString path = u"/org/kde/KWin/ScreenShot2"_s;
const QString interface = u"org.kde.KWin.ScreenShot2"_s;
// KWin answers once it has drawn the next frame.
constexpr int answerTimeoutMs = 5000;
constexpr qsizetype readChunk = 1 << 20;

} // namespace

QImage screenShotImage(const QVariantMap& results, const QByteArray& pixels) {
    // Only raw pixels have come so far; a later KWin may offer other kinds.
    const QString type = results.value(u"type"_s, u"raw"_s).toString();
    const int width = results.value(u"width"_s).toInt();
    const int height = results.value(u"height"_s).toInt();
    const int stride = results.value(u"stride"_s).toInt();
    const int format = results.value(u"format"_s).toInt();
    const bool known = format > QImage::Format_Invalid && format < QImage::NImageFormats;
    if (type != u"raw" || !known || width <= 0 || height <= 0 || stride <= 0 ||
        pixels.size() < qsizetype(stride) * height) {
        return {};
    }
    const QImage image(reinterpret_cast<const uchar*>(pixels.constData()), width, height, stride,
                       static_cast<QImage::Format>(format));
    if (image.bytesPerLine() > stride) {
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

// One capture on its way: KWin answers the call and writes the pixels into the pipe, in
// either order; the capture is over when both have come, or KWin refused.
struct KWinScreenShot::Capture {
    ~Capture() {
        if (readEnd >= 0) {
            ::close(readEnd);
        }
    }

    int readEnd = -1;
    std::unique_ptr<QSocketNotifier> readable;
    QByteArray pixels;
    bool drained = false;
    bool answered = false;
    bool failed = false;
    std::optional<QVariantMap> results;
    std::function<void(QImage)> done;
};

bool KWinScreenShot::offered(const QDBusConnection& bus) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        KWinScript::kwinService(), path, u"org.freedesktop.DBus.Properties"_s, u"Get"_s);
    get << interface << u"Version"_s;
    return bus.isConnected() &&
           bus.call(get, QDBus::Block, answerTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

KWinScreenShot::KWinScreenShot(const QDBusConnection& bus)
    : m_bus(bus) {}

KWinScreenShot::~KWinScreenShot() = default;

void KWinScreenShot::capture(const QString& outputName, std::function<void(QImage)> done) {
    auto& capture = *m_captures.emplace_back(std::make_unique<Capture>());
    capture.done = std::move(done);
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        capture.answered = capture.failed = true;
        QTimer::singleShot(0, this, [this, c = &capture] { finish(c); });
        return;
    }
    // Only Tessel's end waits for nothing: KWin writes into its end from a thread of its own.
    capture.readEnd = ends[0];
    ::fcntl(capture.readEnd, F_SETFL, ::fcntl(capture.readEnd, F_GETFL) | O_NONBLOCK);
    QDBusMessage call = QDBusMessage::createMethodCall(KWinScript::kwinService(), path, interface,
                                                       u"CaptureScreen"_s);
    call << outputName
         << QVariantMap{{u"hide-caller-windows"_s, true}, {u"include-cursor"_s, false}}
         << QVariant::fromValue(QDBusUnixFileDescriptor(ends[1]));
    ::close(ends[1]);

    capture.readable = std::make_unique<QSocketNotifier>(capture.readEnd, QSocketNotifier::Read);
    connect(capture.readable.get(), &QSocketNotifier::activated, this, [this, c = &capture] {
        for (;;) {
            const qsizetype had = c->pixels.size();
            c->pixels.resize(had + readChunk);
            const ssize_t got = ::read(c->readEnd, c->pixels.data() + had, readChunk);
            c->pixels.resize(had + std::max<ssize_t>(got, 0));
            if (got > 0) {
                continue;
            }
            if (got == 0 || errno != EAGAIN) {
                c->drained = true;
                c->failed = c->failed || got < 0;
                c->readable->setEnabled(false);
                finish(c);
            }
            return;
        }
    });
    auto* answer = new QDBusPendingCallWatcher(m_bus.asyncCall(call, answerTimeoutMs), this);
    connect(answer, &QDBusPendingCallWatcher::finished, this, [this, c = &capture, answer] {
        answer->deleteLater();
        const QDBusPendingReply<QVariantMap> reply = *answer;
        c->answered = true;
        if (reply.isError()) {
            qCDebug(lcPlatform, "KWin took no screenshot: %s",
                    qUtf8Printable(reply.error().message()));
            c->failed = true;
        } else {
            c->results = reply.value();
        }
        finish(c);
    });
}

void KWinScreenShot::finish(Capture* capture) {
    // Without an answer the pipe's end is still KWin's to write; without the pixels only a
    // refusal ends the capture.
    if (!capture->answered || !(capture->drained || capture->failed)) {
        return;
    }
    const auto it = std::find_if(m_captures.begin(), m_captures.end(),
                                 [capture](const auto& c) { return c.get() == capture; });
    if (it == m_captures.end()) {
        return;
    }
    const std::unique_ptr<Capture> over = std::move(*it);
    m_captures.erase(it);
    over->done(over->failed ? QImage() : screenShotImage(*over->results, over->pixels));
}

} // namespace tessel
