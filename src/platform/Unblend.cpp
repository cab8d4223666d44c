#include "platform/Unblend.h"

#include <algorithm>
#include <cmath>

namespace tessel {

namespace {

constexpr int full = 255;
// Beyond this a capture's rounding, magnified by 1 / (1 − a), outweighs what shows through.
constexpr int mostOpaque = 242;

int channel(int captured, int paper, int alpha) {
    const double under = static_cast<double>(captured - paper) * full / (full - alpha);
    return std::clamp(static_cast<int>(std::lround(under)), 0, full);
}

} // namespace

QRgb unblendPixel(QRgb captured, QRgb paper) {
    const int alpha = qAlpha(paper);
    if (alpha > mostOpaque) {
        return qRgb(qRed(captured), qGreen(captured), qBlue(captured));
    }
    return qRgb(channel(qRed(captured), qRed(paper), alpha),
                channel(qGreen(captured), qGreen(paper), alpha),
                channel(qBlue(captured), qBlue(paper), alpha));
}

QImage unblend(const QImage& captured, const QImage& paper) {
    QImage under = captured.convertToFormat(QImage::Format_RGB32);
    QImage over = paper.size() == under.size()
                      ? paper.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                      : paper.scaled(under.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < under.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(under.scanLine(y));
        const auto* paperRow = reinterpret_cast<const QRgb*>(over.constScanLine(y));
        for (int x = 0; x < under.width(); ++x) {
            row[x] = unblendPixel(row[x], paperRow[x]);
        }
    }
    return under;
}

} // namespace tessel
