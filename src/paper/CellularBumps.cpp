#include "paper/CellularBumps.h"

#include "paper/Smoothstep.h"
#include "paper/SplitMix64.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace tessel {

namespace {

int wrap(int i, int m) {
    return ((i % m) + m) % m;
}

// A run of pixel columns that fall in the same cell column.
struct Run {
    int cell;
    std::size_t begin;
    std::size_t end;
};

std::vector<Run> cellRuns(std::span<const float> positions) {
    std::vector<Run> runs;
    for (std::size_t x = 0; x < positions.size(); ++x) {
        const int cell = static_cast<int>(positions[x]);
        if (runs.empty() || runs.back().cell != cell) {
            runs.push_back({cell, x, x});
        }
        runs.back().end = x + 1;
    }
    return runs;
}

} // namespace

void cellularBumps(int n, int cellSize, std::uint64_t& state, std::span<float> out) {
    const int m = std::max(n / std::max(cellSize, 2), 1);
    const float pitch = static_cast<float>(n) / static_cast<float>(m);
    const auto cells = static_cast<std::size_t>(m) * static_cast<std::size_t>(m);
    std::vector<float> jx(cells);
    std::vector<float> jy(cells);
    for (std::size_t k = 0; k < cells; ++k) {
        jx[k] = unitDraw(state);
        jy[k] = unitDraw(state);
    }

    const auto cols = static_cast<std::size_t>(n);
    std::vector<float> fx(cols);
    for (std::size_t x = 0; x < cols; ++x) {
        fx[x] = static_cast<float>(x) / pitch;
    }
    const std::vector<Run> runs = cellRuns(fx);

    // Rows in the same band of cells see the same nine candidate features at every column;
    // only their vertical distance changes from row to row. So per band, each candidate's
    // squared horizontal distance and its feature row are laid out along the columns, and
    // a row costs nine long subtract-square-add-min passes the vectoriser handles well.
    constexpr std::size_t candidates = 9;
    std::vector<float> across(candidates * cols);
    std::vector<float> featureRow(candidates * cols);
    std::vector<float> nearest(cols);
    int band = -1;
    for (std::size_t y = 0; y < cols; ++y) {
        const float fy = static_cast<float>(y) / pitch;
        const int cy = static_cast<int>(fy);
        if (cy != band) {
            band = cy;
            std::size_t c = 0;
            for (int row = cy - 1; row <= cy + 1; ++row) {
                const auto base =
                    static_cast<std::size_t>(wrap(row, m)) * static_cast<std::size_t>(m);
                for (int offset = -1; offset <= 1; ++offset, ++c) {
                    for (const Run& run : runs) {
                        const int col = run.cell + offset;
                        const std::size_t k = base + static_cast<std::size_t>(wrap(col, m));
                        const float px = static_cast<float>(col) + jx[k];
                        const float py = static_cast<float>(row) + jy[k];
                        for (std::size_t x = run.begin; x < run.end; ++x) {
                            const float dx = px - fx[x];
                            across[c * cols + x] = dx * dx;
                            featureRow[c * cols + x] = py;
                        }
                    }
                }
            }
        }
        std::fill(nearest.begin(), nearest.end(), 9.0f);
        for (std::size_t c = 0; c < candidates; ++c) {
            const float* dx2 = &across[c * cols];
            const float* py = &featureRow[c * cols];
            for (std::size_t x = 0; x < cols; ++x) {
                const float dy = py[x] - fy;
                const float d = dx2[x] + dy * dy;
                nearest[x] = d < nearest[x] ? d : nearest[x];
            }
        }
        float* dst = &out[y * cols];
        for (std::size_t x = 0; x < cols; ++x) {
            const float f = 1.0f - 1.1f * std::sqrt(nearest[x]);
            dst[x] = smoothstep(f > 0.0f ? f : 0.0f);
        }
    }
}

} // namespace tessel
