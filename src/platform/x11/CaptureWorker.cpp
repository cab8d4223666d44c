#include "platform/x11/CaptureWorker.h"

#include "platform/x11/ScreenCapture.h"
#include "platform/x11/XConnection.h"

namespace tessel {

CaptureWorker::CaptureWorker(qint64 ownPid)
    : m_x(std::make_unique<XConnection>())
    , m_capture(std::make_unique<ScreenCapture>(*m_x, ownPid)) {
    m_thread.setMaxThreadCount(1);
}

CaptureWorker::~CaptureWorker() {
    m_thread.clear();
    m_thread.waitForDone();
}

void CaptureWorker::capture(QRect area, QSize size, bool composited,
                            std::function<void(QImage)> done) {
    m_thread.start([this, area, size, composited, done = std::move(done)]() mutable {
        QImage image = m_capture->capture(area, size, composited);
        QMetaObject::invokeMethod(
            this, [done = std::move(done), image = std::move(image)] { done(image); },
            Qt::QueuedConnection);
    });
}

} // namespace tessel
