#include "core/ScreenSampler.h"

#include <QPainter>

namespace tessel {

namespace {

constexpr auto samplingInterval = std::chrono::seconds(3);
constexpr QSize sampleSize(32, 20);
// Two thresholds keep a screen near the boundary from flickering between papers.
constexpr double turnDarkBelow = 0.32;
constexpr double stayDarkBelow = 0.45;

} // namespace

ScreenSampler::ScreenSampler(Platform& platform, std::function<void()> due)
    : m_platform(platform)
    , m_timer(platform.makeTimer(std::move(due))) {}

void ScreenSampler::start() {
    m_timer->start(samplingInterval, true);
}

void ScreenSampler::stop() {
    m_timer->stop();
}

QMap<QString, bool> ScreenSampler::judge(const QStringList& screens,
                                         const QMap<QString, bool>& previous, bool dark) const {
    QMap<QString, bool> result;
    for (const QString& id : screens) {
        const QImage capture = m_platform.captureScreen(id, sampleSize);
        if (capture.isNull()) {
            continue;
        }
        const bool wasDark = previous.value(id, dark);
        result.insert(id, luminance(capture) < (wasDark ? stayDarkBelow : turnDarkBelow));
    }
    return result;
}

double ScreenSampler::luminance(const QImage& image) {
    QImage sample(sampleSize, QImage::Format_RGBA8888_Premultiplied);
    if (sample.isNull()) {
        return 1.0;
    }
    sample.fill(Qt::transparent);
    {
        QPainter painter(&sample);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), sampleSize), image);
    }
    double sum = 0;
    for (int y = 0; y < sample.height(); ++y) {
        const uchar* row = sample.constScanLine(y);
        for (int x = 0; x < sample.width(); ++x) {
            const uchar* p = row + 4 * x;
            sum += 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2];
        }
    }
    return sum / (sampleSize.width() * sampleSize.height()) / 255.0;
}

} // namespace tessel
