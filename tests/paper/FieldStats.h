#pragma once

#include <cmath>
#include <cstddef>
#include <span>
#include <vector>

namespace tessel::test {

// Pearson correlation of two columns (or, transposed, two rows) of an n × n field.
inline double lineCorrelation(std::span<const float> f, int n, int a, int b, bool columns) {
    const auto at = [&](int line, int i) {
        const int x = columns ? line : i;
        const int y = columns ? i : line;
        return static_cast<double>(f[static_cast<std::size_t>(y * n + x)]);
    };
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    for (int i = 0; i < n; ++i) {
        const double va = at(a, i);
        const double vb = at(b, i);
        sa += va;
        sb += vb;
        saa += va * va;
        sbb += vb * vb;
        sab += va * vb;
    }
    const double cov = sab / n - (sa / n) * (sb / n);
    const double var = (saa / n - (sa / n) * (sa / n)) * (sbb / n - (sb / n) * (sb / n));
    return var > 0 ? cov / std::sqrt(var) : 0.0;
}

// How alike neighbouring lines are on average inside the field, and across its edge (the
// last line against the first). A periodic field shows the same likeness at the edge.
struct Seam {
    double interior;
    double edge;
};

inline Seam seam(std::span<const float> f, int n, bool columns) {
    double sum = 0;
    for (int i = 1; i < n; ++i) {
        sum += lineCorrelation(f, n, i - 1, i, columns);
    }
    return {sum / (n - 1), lineCorrelation(f, n, n - 1, 0, columns)};
}

inline bool allFinite(std::span<const float> f) {
    for (float v : f) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

} // namespace tessel::test
