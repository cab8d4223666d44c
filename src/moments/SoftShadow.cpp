#include "moments/SoftShadow.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace tessel {

namespace {

// The blur is worked out on a grid this many points wide; a shadow has no detail finer.
constexpr double gridPoints = 4;
// Three box blurs of reach r approach a Gaussian of deviation r; the radius reads as two.
constexpr int passes = 3;

void boxBlurLine(uchar* line, int count, std::ptrdiff_t stride, int reach,
                 std::vector<int>& buffer) {
    buffer.assign(static_cast<std::size_t>(count), 0);
    for (int i = 0; i < count; ++i) {
        buffer[static_cast<std::size_t>(i)] = line[i * stride];
    }
    int sum = 0;
    const auto at = [&](int i) {
        return i < 0 || i >= count ? 0 : buffer[static_cast<std::size_t>(i)];
    };
    for (int i = -reach; i <= reach; ++i) {
        sum += at(i);
    }
    const int width = 2 * reach + 1;
    for (int i = 0; i < count; ++i) {
        line[i * stride] = static_cast<uchar>(sum / width);
        sum += at(i + reach + 1) - at(i - reach);
    }
}

void blur(QImage& alpha, int reach) {
    std::vector<int> buffer;
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < alpha.height(); ++y) {
            boxBlurLine(alpha.scanLine(y), alpha.width(), 1, reach, buffer);
        }
        for (int x = 0; x < alpha.width(); ++x) {
            boxBlurLine(alpha.bits() + x, alpha.height(), alpha.bytesPerLine(), reach, buffer);
        }
    }
}

} // namespace

SoftShadow softShadow(QSizeF rectangle, double radius) {
    const double margin = std::max(radius, 0.0) * 1.5;
    const QRectF bounds(-margin, -margin, rectangle.width() + 2 * margin,
                        rectangle.height() + 2 * margin);
    const QSize grid(std::max(1, static_cast<int>(std::ceil(bounds.width() / gridPoints))),
                     std::max(1, static_cast<int>(std::ceil(bounds.height() / gridPoints))));
    QImage alpha(grid, QImage::Format_Alpha8);
    alpha.fill(0);
    {
        QPainter painter(&alpha);
        painter.scale(grid.width() / bounds.width(), grid.height() / bounds.height());
        painter.fillRect(QRectF(QPointF(margin, margin), rectangle), Qt::black);
    }
    const int reach = static_cast<int>(std::lround(radius / 2 / gridPoints));
    if (reach > 0) {
        blur(alpha, reach);
    }
    QImage shadow(grid, QImage::Format_ARGB32_Premultiplied);
    shadow.fill(Qt::black);
    QPainter painter(&shadow);
    painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    painter.drawImage(0, 0, alpha);
    painter.end();
    return {shadow, bounds};
}

} // namespace tessel
