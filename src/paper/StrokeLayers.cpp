#include "paper/StrokeLayers.h"

#include "paper/SplitMix64.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace tessel {

namespace {

double draw(std::uint64_t& state) {
    return static_cast<double>(unitDraw(state));
}

QImage blackBitmap(int n) {
    QImage bitmap(n, n, QImage::Format_Grayscale8);
    if (!bitmap.isNull()) {
        bitmap.fill(0);
    }
    return bitmap;
}

void readBack(const QImage& bitmap, std::span<float> out) {
    if (bitmap.isNull()) {
        std::fill(out.begin(), out.end(), 0.0f);
        return;
    }
    const auto n = static_cast<std::size_t>(bitmap.width());
    for (std::size_t r = 0; r < n; ++r) {
        const uchar* line = bitmap.constScanLine(static_cast<int>(r));
        for (std::size_t x = 0; x < n; ++x) {
            out[r * n + x] = static_cast<float>(line[x]) / 255.0f;
        }
    }
}

// One fibre in the y-up drawing plane.
struct Fibre {
    QPointF start;
    QPointF control;
    QPointF end;
    double width;
    double alpha;
};

Fibre nextFibre(int n, double length, double width, std::uint64_t& state) {
    const double x0 = draw(state) * n;
    const double y0 = draw(state) * n;
    const double theta = 2 * std::numbers::pi * draw(state);
    const double l = (draw(state) + 0.5) * length;
    const double bend = (draw(state) - 0.5) * l * 0.6;
    const double w = (draw(state) + 0.5) * width;
    const double alpha = draw(state) * 0.65 + 0.25;
    const double x1 = x0 + l * std::cos(theta);
    const double y1 = y0 + l * std::sin(theta);
    const QPointF control((x0 + x1) / 2 - bend * std::sin(theta),
                          (y0 + y1) / 2 + bend * std::cos(theta));
    return {{x0, y0}, control, {x1, y1}, w, alpha};
}

// The curve lies inside the triangle of its control points, so this box plus the pen holds
// every pixel the stroke can touch.
bool missesBitmap(const Fibre& f, QPointF shift, int n) {
    const double pad = f.width / 2 + 2;
    const double left = std::min({f.start.x(), f.control.x(), f.end.x()}) + shift.x() - pad;
    const double right = std::max({f.start.x(), f.control.x(), f.end.x()}) + shift.x() + pad;
    const double low = std::min({f.start.y(), f.control.y(), f.end.y()}) + shift.y() - pad;
    const double high = std::max({f.start.y(), f.control.y(), f.end.y()}) + shift.y() + pad;
    return right < 0 || left > n || high < 0 || low > n;
}

} // namespace

void fibreBitmap(int n, int count, double length, double width, std::uint64_t& state,
                 std::span<float> out, FibreCopies copies) {
    QImage bitmap = blackBitmap(n);
    if (bitmap.isNull()) {
        readBack(bitmap, out);
        return;
    }
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    // The bitmap's row 0 is the top of the y-up drawing plane.
    const auto flip = [n](QPointF p) { return QPointF(p.x(), n - p.y()); };
    for (int i = 0; i < count; ++i) {
        const Fibre f = nextFibre(n, length, width, state);
        QPen pen(QColor::fromRgbF(1, 1, 1, static_cast<float>(f.alpha)));
        pen.setWidthF(f.width);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        for (int dx : {-n, 0, n}) {
            for (int dy : {-n, 0, n}) {
                const QPointF shift(dx, dy);
                if (copies == FibreCopies::onBitmap && missesBitmap(f, shift, n)) {
                    continue;
                }
                QPainterPath path(flip(f.start + shift));
                path.quadTo(flip(f.control + shift), flip(f.end + shift));
                painter.drawPath(path);
            }
        }
    }
    painter.end();
    readBack(bitmap, out);
}

void fleckBitmap(int n, int count, std::uint64_t& state, std::span<float> out) {
    QImage bitmap = blackBitmap(n);
    if (bitmap.isNull()) {
        readBack(bitmap, out);
        return;
    }
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const double r = draw(state) * 1.1 + 0.4;
        const double x = draw(state) * (n - 4) + 2;
        const double y = draw(state) * (n - 4) + 2;
        const double alpha = draw(state) * 0.6 + 0.4;
        painter.setBrush(QColor::fromRgbF(1, 1, 1, static_cast<float>(alpha)));
        painter.drawEllipse(QRectF(x - r, n - y - r, 2 * r, 2 * r));
    }
    painter.end();
    readBack(bitmap, out);
}

} // namespace tessel
