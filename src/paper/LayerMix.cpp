#include "paper/LayerMix.h"

#include "paper/Normalise.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tessel {

namespace {

constexpr std::size_t maxChains = 6;

using Sources = std::array<const float*, maxChains>;
using Sums = std::array<float, maxChains>;

// Sums term(k, source[k][i]) over i in index order for each k in K; the chains are
// independent, so they share the latency of a single one. The fold keeps every accumulator
// in a register at any optimisation level.
template <std::size_t... K, typename Term>
Sums chains(std::index_sequence<K...>, const Sources& source, std::size_t size, Term term) {
    std::array<float, sizeof...(K)> acc{};
    for (std::size_t i = 0; i < size; ++i) {
        ((acc[K] += term(K, source[K][i])), ...);
    }
    Sums sums{};
    std::copy(acc.begin(), acc.end(), sums.begin());
    return sums;
}

template <typename Term>
Sums chainsOf(std::size_t count, const Sources& source, std::size_t size, Term term) {
    switch (count) {
    case 1:
        return chains(std::make_index_sequence<1>(), source, size, term);
    case 2:
        return chains(std::make_index_sequence<2>(), source, size, term);
    case 3:
        return chains(std::make_index_sequence<3>(), source, size, term);
    case 4:
        return chains(std::make_index_sequence<4>(), source, size, term);
    case 5:
        return chains(std::make_index_sequence<5>(), source, size, term);
    case 6:
        return chains(std::make_index_sequence<6>(), source, size, term);
    default:
        return {};
    }
}

// Moments of up to maxChains layers at once, equal bit for bit to moments() of each.
void momentsOf(std::span<const float* const> layers, std::size_t size, std::span<Moments> out) {
    Sources source{};
    std::copy(layers.begin(), layers.end(), source.begin());
    const Sums sums = chainsOf(layers.size(), source, size, [](std::size_t, float v) { return v; });
    Sums means{};
    for (std::size_t k = 0; k < layers.size(); ++k) {
        means[k] = meanOf(sums[k], size);
    }
    const Sums squares = chainsOf(layers.size(), source, size, [&means](std::size_t k, float v) {
        const float d = v - means[k];
        return d * d;
    });
    for (std::size_t k = 0; k < layers.size(); ++k) {
        out[k] = {means[k], deviationOf(squares[k], size)};
    }
}

std::vector<Moments> layerMoments(std::span<const WeightedLayer> layers, std::size_t size) {
    std::vector<Moments> result(layers.size(), Moments{0.0f, 1.0f});
    std::vector<const float*> sources;
    std::vector<std::size_t> slots;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (layers[i].normalised) {
            sources.push_back(layers[i].values.data());
            slots.push_back(i);
        }
    }
    std::array<Moments, maxChains> group{};
    for (std::size_t first = 0; first < sources.size(); first += maxChains) {
        const std::size_t count = std::min(maxChains, sources.size() - first);
        momentsOf(std::span(sources).subspan(first, count), size, group);
        for (std::size_t k = 0; k < count; ++k) {
            result[slots[first + k]] = group[k];
        }
    }
    return result;
}

} // namespace

std::vector<float> mixLayers(std::span<const WeightedLayer> layers, std::size_t size) {
    // A raw layer takes mean 0 and deviation 1, which leave every value exactly as it is.
    const std::vector<Moments> m = layerMoments(layers, size);
    std::vector<float> field(size, 0.0f);
    const std::size_t block = std::min<std::size_t>(size, 4096);
    float sum = 0;
    for (std::size_t begin = 0; begin < size; begin += block) {
        const std::size_t end = std::min(size, begin + block);
        for (std::size_t k = 0; k < layers.size(); ++k) {
            const float* v = layers[k].values.data();
            const float w = layers[k].weight;
            for (std::size_t i = begin; i < end; ++i) {
                field[i] += (v[i] - m[k].mean) / m[k].deviation * w;
            }
        }
        // Summed while the block is still in cache; the chain bounds this loop either way.
        for (std::size_t i = begin; i < end; ++i) {
            sum += field[i];
        }
    }
    if (size > 0) {
        normaliseAround(field, meanOf(sum, size));
    }
    return field;
}

} // namespace tessel
