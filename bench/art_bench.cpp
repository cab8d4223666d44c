#include "art/ArtLibrary.h"
#include "art/ImageFit.h"
#include "doubles/FakePlatform.h"
#include "moments/ArtView.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <algorithm>
#include <benchmark/benchmark.h>

namespace tessel {
namespace {

const QSizeF screen(1920, 1080);
// The picture box of that screen: 62 % of its width by 68 % of its height.
const QSize box(1190, 734);

// The painting with the most pixels: the dearest to decode.
const Painting& aPainting(const ArtLibrary& library) {
    const auto pixels = [&library](const Painting& painting) {
        const QSize size = QImageReader(library.path(painting)).size();
        return qint64(size.width()) * size.height();
    };
    return *std::max_element(
        library.paintings().begin(), library.paintings().end(),
        [&pixels](const Painting& a, const Painting& b) { return pixels(a) < pixels(b); });
}

void firstPaint(Platform& platform, const Painting& painting, const QImage& image) {
    ArtView view(platform, painting, image);
    QImage frame(screen.toSize(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&frame);
    view.paint(painter, screen);
    benchmark::DoNotOptimize(frame.constBits());
}

// What putting a painting up cost the main thread when it was decoded there and scaled at its
// first paint.
void showDecodingOnTheMainThread(benchmark::State& state) {
    QTemporaryDir config;
    FakePlatform platform(config.path());
    const ArtLibrary library;
    for (auto _ : state) {
        firstPaint(platform, aPainting(library), library.image(aPainting(library)));
    }
}
BENCHMARK(showDecodingOnTheMainThread)->Unit(benchmark::kMillisecond);

// What it costs now: the painting arrives read at the size it hangs.
void showReadAhead(benchmark::State& state) {
    QTemporaryDir config;
    FakePlatform platform(config.path());
    const ArtLibrary library;
    const QImage image = readImageToFit(library.path(aPainting(library)), box);
    for (auto _ : state) {
        firstPaint(platform, aPainting(library), image);
    }
}
BENCHMARK(showReadAhead)->Unit(benchmark::kMillisecond);

// The worker thread's share, done while the previous painting hangs.
void readAheadOnTheWorker(benchmark::State& state) {
    const ArtLibrary library;
    for (auto _ : state) {
        benchmark::DoNotOptimize(readImageToFit(library.path(aPainting(library)), box).constBits());
    }
}
BENCHMARK(readAheadOnTheWorker)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessel

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
