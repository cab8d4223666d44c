#include "platform/Unblend.h"

#include <benchmark/benchmark.h>

namespace {

const QSize output(1920, 1080);
// Eight times the 32 × 20 sample, where sampling on wlroots takes the paper out.
const QSize working(256, 160);

QImage capture() {
    QImage captured(output, QImage::Format_RGB32);
    captured.fill(QColor(200, 120, 90));
    return captured;
}

QImage paper() {
    QImage paper(output, QImage::Format_ARGB32_Premultiplied);
    paper.fill(QColor(240, 228, 200, 90));
    return paper;
}

// Taking translucent paper back out of a whole 1920×1080 capture.
void unblendWholeOutput(benchmark::State& state) {
    const QImage captured = capture();
    const QImage over = paper();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tessel::unblend(captured, over));
    }
}
BENCHMARK(unblendWholeOutput)->Unit(benchmark::kMillisecond);

// The same as sampling does it: both shrunk to the working size first.
void unblendForASample(benchmark::State& state) {
    const QImage captured = capture();
    const QImage over = paper();
    for (auto _ : state) {
        benchmark::DoNotOptimize(tessel::unblend(
            captured.scaled(working, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), over));
    }
}
BENCHMARK(unblendForASample)->Unit(benchmark::kMillisecond);

} // namespace
