#pragma once

#include <QImage>
#include <QObject>
#include <QRect>
#include <QThreadPool>

#include <functional>
#include <memory>

namespace tessel {

class ScreenCapture;
class XConnection;

// Runs screen captures one at a time on a worker thread with an X connection of their own, so
// that the server's round trips never hold up the main thread.
class CaptureWorker final : public QObject {
    Q_OBJECT

public:
    explicit CaptureWorker(qint64 ownPid);
    ~CaptureWorker() override;

    // `done` runs on this object's thread with the image, a null one when the capture fails.
    // `composited` is whether a compositor ran when asked. Nothing runs once this is destroyed.
    void capture(QRect area, QSize size, bool composited, std::function<void(QImage)> done);

private:
    // Made on the main thread, whose event loop drains its errors; only the worker asks on it.
    std::unique_ptr<XConnection> m_x;
    std::unique_ptr<ScreenCapture> m_capture;
    // Last, so that it is destroyed first and waits for a running capture.
    QThreadPool m_thread;
};

} // namespace tessel
