#include "paper/HeightField.h"
#include "paper/LitPreview.h"
#include "paper/Paper.h"
#include "paper/TileShading.h"
#include "reference/ReferenceKernels.h"

#include <QThreadPool>

#include <benchmark/benchmark.h>
#include <string>

namespace tessel {
namespace {

void heightFieldOf(benchmark::State& state, const Recipe& recipe, int n) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(heightField(recipe, n).data());
    }
}

// What the previews cost together: every built-in paper at 256.
void allPreviewFields(benchmark::State& state) {
    for (auto _ : state) {
        for (const Paper& paper : Paper::builtIn()) {
            benchmark::DoNotOptimize(heightField(paper.recipe, 256).data());
        }
    }
}
BENCHMARK(allPreviewFields)->Unit(benchmark::kMillisecond);

void shadeTile1024(benchmark::State& state) {
    const std::vector<float> field = heightField(Paper::builtIn().first().recipe, 1024);
    const bool night = state.range(0) != 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(shadeTile(field, 1024, night, 180, 0.15f).constBits());
    }
}
BENCHMARK(shadeTile1024)->ArgName("night")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void shadeTile1024Plain(benchmark::State& state) {
    const std::vector<float> field = heightField(Paper::builtIn().first().recipe, 1024);
    for (auto _ : state) {
        benchmark::DoNotOptimize(reference::shadeTile(field, 1024, false, 180, 0.15f).constBits());
    }
}
BENCHMARK(shadeTile1024Plain)->Unit(benchmark::kMillisecond);

void previewImage256(benchmark::State& state) {
    const std::vector<float> field = heightField(Paper::builtIn().first().recipe, 256);
    for (auto _ : state) {
        benchmark::DoNotOptimize(previewImage(field, 256).constBits());
    }
}
BENCHMARK(previewImage256)->Unit(benchmark::kMicrosecond);

// The popover's sheet: about 300 × 200 points on a 2× screen.
void litPreviewPopover(benchmark::State& state) {
    const QImage preview = previewImage(heightField(Paper::builtIn().first().recipe, 256), 256);
    for (auto _ : state) {
        const QImage lit = litPreview(preview, QSizeF(300, 200), 2, QPointF(60, -60), 1.4f, false);
        benchmark::DoNotOptimize(lit.constBits());
    }
}
BENCHMARK(litPreviewPopover)->Unit(benchmark::kMillisecond);

void registerPapers() {
    for (const Paper& paper : Paper::builtIn()) {
        const std::string name = "heightField1024/" + paper.id.toStdString();
        benchmark::RegisterBenchmark(name.c_str(), heightFieldOf, paper.recipe, 1024)
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace
} // namespace tessel

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    tessel::registerPapers();
    // The app synthesises on pool threads, where the rasteriser fills spans on the calling
    // thread; called from elsewhere it would fan fills out to other cores and time them too.
    QThreadPool::globalInstance()->start([] { benchmark::RunSpecifiedBenchmarks(); });
    QThreadPool::globalInstance()->waitForDone();
    benchmark::Shutdown();
    return 0;
}
