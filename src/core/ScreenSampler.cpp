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

// One round of captures; those answering after it is dropped find nothing to report to.
struct ScreenSampler::Pass {
    qsizetype waiting = 0;
    Lightness lightness;
    std::function<void(const Lightness&)> sampled;
};

ScreenSampler::ScreenSampler(Platform& platform, std::function<void()> due)
    : m_platform(platform)
    , m_timer(platform.makeTimer(std::move(due))) {}

ScreenSampler::~ScreenSampler() = default;

void ScreenSampler::start() {
    m_timer->start(samplingInterval, true);
}

void ScreenSampler::stop() {
    m_timer->stop();
    m_pass.reset();
}

void ScreenSampler::sample(const QStringList& screens,
                           std::function<void(const Lightness&)> sampled) {
    auto pass = std::make_shared<Pass>(Pass{screens.size(), {}, std::move(sampled)});
    m_pass = pass;
    if (screens.isEmpty()) {
        pass->sampled(pass->lightness);
        return;
    }
    for (const QString& id : screens) {
        m_platform.captureScreen(id, sampleSize, [id, weak = std::weak_ptr(pass)](QImage image) {
            const std::shared_ptr<Pass> current = weak.lock();
            if (!current) {
                return;
            }
            if (!image.isNull()) {
                current->lightness.insert(id, luminance(image));
            }
            if (--current->waiting == 0) {
                current->sampled(current->lightness);
            }
        });
    }
}

QMap<QString, bool> ScreenSampler::judge(const Lightness& lightness,
                                         const QMap<QString, bool>& previous, bool dark) {
    QMap<QString, bool> result;
    for (auto it = lightness.cbegin(); it != lightness.cend(); ++it) {
        const bool wasDark = previous.value(it.key(), dark);
        result.insert(it.key(), *it < (wasDark ? stayDarkBelow : turnDarkBelow));
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
