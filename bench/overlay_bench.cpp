#include "overlay/SheetPainter.h"
#include "paper/HeightField.h"
#include "paper/Lamp.h"
#include "paper/Paper.h"
#include "paper/TileShading.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace tessel {
namespace {

const QSizeF screen(1920, 1080);

QImage kozoTile() {
    const Recipe kozo = Paper::builtIn().first().recipe;
    return shadeTile(heightField(kozo, 1024), 1024, false, 120, kozo.warmth);
}

// What a new tile or lamp costs a window once: the tile grid and the lamp on one picture.
void renderSheetWithLamp(benchmark::State& state) {
    const QImage tile = kozoTile();
    const QList<LampLayer> lamp = Lamp::find(QStringLiteral("reading"))->layers(0.6, screen);
    for (auto _ : state) {
        benchmark::DoNotOptimize(renderSheet(screen, 1, tile, lamp).constBits());
    }
}
BENCHMARK(renderSheetWithLamp)->Unit(benchmark::kMillisecond);

// One frame of a fade, a cross-fade or a drop: the kept pictures blitted with opacity.
void crossFadeFrame(benchmark::State& state) {
    const QImage tile = kozoTile();
    const QImage before = renderSheet(screen, 1, tile, {});
    const QImage after = renderSheet(screen, 1, tile, {});
    QImage frame(screen.toSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&frame);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(frame.rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setOpacity(0.4);
        painter.drawImage(QPointF(0, 0), before);
        painter.setOpacity(0.6);
        painter.drawImage(QPointF(0, -120), after);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(crossFadeFrame)->Unit(benchmark::kMillisecond);

// One frame of a fade without a lamp as windows paint it now: cell by cell from the tile.
void sheetFrameFromTile(benchmark::State& state) {
    const Sheet sheet(screen, 1, kozoTile(), {});
    QImage frame(screen.toSize(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&frame);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(frame.rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setOpacity(0.6);
        sheet.paint(painter);
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(sheetFrameFromTile)->Unit(benchmark::kMillisecond);

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
