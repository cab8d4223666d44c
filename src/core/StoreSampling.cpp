#include "core/Store.h"

#include <QPainter>

namespace tessel {

namespace {

constexpr auto samplingInterval = std::chrono::seconds(3);
constexpr QSize sampleSize(32, 20);
// Two thresholds keep a screen near the boundary from flickering between papers.
constexpr double turnDarkBelow = 0.32;
constexpr double stayDarkBelow = 0.45;

} // namespace

double Store::luminance(const QImage& image) {
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

void Store::restartSampling() {
    m_sampleTimer->stop();
    assign(m_screenAccess, m_platform.screenCaptureAllowed(),
           [this] { Q_EMIT screenAccessChanged(m_screenAccess); });
    if (m_settings.dayNight == Settings::DayNight::screen && m_screenAccess) {
        m_sampleTimer->start(samplingInterval, true);
        sampleScreens();
        return;
    }
    assign(m_displayDark, {}, [this] { Q_EMIT displayDarkChanged(); });
}

void Store::sampleScreens() {
    QMap<QString, bool> result;
    for (const QString& id : screensByID().keys()) {
        const QImage capture = m_platform.captureScreen(id, sampleSize);
        if (capture.isNull()) {
            continue;
        }
        const double y = luminance(capture);
        const bool wasDark = m_displayDark.isEmpty() ? m_dark : m_displayDark.value(id, m_dark);
        result.insert(id, y < (wasDark ? stayDarkBelow : turnDarkBelow));
    }
    if (result == m_displayDark) {
        return;
    }
    assign(m_displayDark, std::move(result), [this] { Q_EMIT displayDarkChanged(); });
    refresh();
}

} // namespace tessel
