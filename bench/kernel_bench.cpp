#include "paper/CellularBumps.h"
#include "paper/HeightField.h"
#include "paper/LayerMix.h"
#include "paper/NoiseLayers.h"
#include "paper/Normalise.h"
#include "paper/Paper.h"
#include "paper/PatternField.h"
#include "paper/SplitMix64.h"
#include "paper/StrokeLayers.h"
#include "paper/ValueNoise.h"
#include "reference/ReferenceKernels.h"

#include <benchmark/benchmark.h>
#include <vector>

// Each layer alone at n = 1024, to see which one bounds a paper, and every fast kernel beside
// the plain reference it must match.

namespace tessel {
namespace {

constexpr int n = 1024;
constexpr std::size_t size = std::size_t{n} * n;

const Recipe& paper(benchmark::State& state) {
    return Paper::builtIn()[static_cast<qsizetype>(state.range(0))].recipe;
}

void cloud(benchmark::State& state) {
    std::vector<float> out(size);
    for (auto _ : state) {
        std::uint64_t seed = 1;
        cloudLayer(n, seed, out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(cloud)->Unit(benchmark::kMillisecond);

void grain(benchmark::State& state) {
    std::vector<float> out(size);
    for (auto _ : state) {
        std::uint64_t seed = 1;
        grainLayer(n, seed, out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(grain)->Unit(benchmark::kMillisecond);

void tooth(benchmark::State& state) {
    std::vector<float> out(size);
    for (auto _ : state) {
        std::uint64_t seed = 1;
        cellularBumps(n, static_cast<int>(state.range(0)), seed, out);
        benchmark::DoNotOptimize(out.data());
    }
}
// Hot Press, Cold Press, Rough, Blotting; 6 is the Studio's smallest.
BENCHMARK(tooth)->ArgName("cell")->Arg(10)->Arg(22)->Arg(40)->Arg(60)->Arg(6)->Unit(
    benchmark::kMillisecond);

void toothPlain(benchmark::State& state) {
    for (auto _ : state) {
        std::uint64_t seed = 1;
        benchmark::DoNotOptimize(reference::cellularBumps(n, 22, seed).data());
    }
}
BENCHMARK(toothPlain)->Unit(benchmark::kMillisecond);

void fibres(benchmark::State& state) {
    const Recipe& r = paper(state);
    const auto copies = state.range(1) != 0 ? FibreCopies::all : FibreCopies::onBitmap;
    std::vector<float> out(size);
    for (auto _ : state) {
        std::uint64_t seed = 1;
        fibreBitmap(n, fibreCount(r, n), r.fibreLength, r.fibreWidth, seed, out, copies);
        benchmark::DoNotOptimize(out.data());
    }
}
// Kozo, Gampi, Mitsumata, Felt, Newsprint; the second argument strokes all nine copies.
BENCHMARK(fibres)
    ->ArgNames({"paper", "allCopies"})
    ->ArgsProduct({{0, 1, 2, 8, 9}, {0}})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);

void flecks(benchmark::State& state) {
    std::vector<float> out(size);
    for (auto _ : state) {
        std::uint64_t seed = 1;
        fleckBitmap(n, 420, seed, out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(flecks)->Unit(benchmark::kMillisecond);

void pattern(benchmark::State& state) {
    const auto p = static_cast<Recipe::Pattern>(state.range(0));
    std::vector<float> out(size);
    for (auto _ : state) {
        patternField(p, n, out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(pattern)->ArgName("pattern")->DenseRange(1, 3)->Unit(benchmark::kMillisecond);

void patternPerPixel(benchmark::State& state) {
    std::vector<float> out(size);
    for (auto _ : state) {
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) {
                out[static_cast<std::size_t>(y * n + x)] =
                    patternValue(Recipe::Pattern::laid, x, y);
            }
        }
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(patternPerPixel)->Unit(benchmark::kMillisecond);

void valueNoise(benchmark::State& state) {
    const auto g = static_cast<int>(state.range(0));
    std::vector<float> out(size);
    for (auto _ : state) {
        std::uint64_t seed = 1;
        const ValueNoise noise(n, g, seed);
        for (int y = 0; y < n; ++y) {
            noise.row(y, std::span(out).subspan(static_cast<std::size_t>(y) * n, n));
        }
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(valueNoise)->ArgName("lattice")->Arg(16)->Arg(512)->Unit(benchmark::kMillisecond);

void valueNoisePlain(benchmark::State& state) {
    for (auto _ : state) {
        std::uint64_t seed = 1;
        benchmark::DoNotOptimize(
            reference::valueNoise(n, static_cast<int>(state.range(0)), seed).data());
    }
}
BENCHMARK(valueNoisePlain)->ArgName("lattice")->Arg(16)->Arg(512)->Unit(benchmark::kMillisecond);

std::vector<std::vector<float>> randomLayers(std::size_t count) {
    std::uint64_t seed = 5;
    std::vector<std::vector<float>> layers(count, std::vector<float>(size));
    for (auto& layer : layers) {
        for (float& v : layer) {
            v = unitDraw(seed);
        }
    }
    return layers;
}

// Normalising and mixing k layers and the result.
void mix(benchmark::State& state) {
    const auto values = randomLayers(static_cast<std::size_t>(state.range(0)));
    std::vector<WeightedLayer> layers;
    for (const auto& v : values) {
        layers.push_back({v, 0.5f, true});
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(mixLayers(layers, size).data());
    }
}
BENCHMARK(mix)->ArgName("layers")->DenseRange(2, 5)->Unit(benchmark::kMillisecond);

void mixOneByOne(benchmark::State& state) {
    const auto values = randomLayers(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::vector<float> field(size, 0.0f);
        for (const auto& v : values) {
            addNormalised(field, v, 0.5f);
        }
        normalise(field);
        benchmark::DoNotOptimize(field.data());
    }
}
BENCHMARK(mixOneByOne)->ArgName("layers")->DenseRange(2, 5)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessel
