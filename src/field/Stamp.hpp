#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// Density limits and the soft rate of the charge stamp.
struct StampSettings {
    double softRate = 0.05;
    double maxDensity = 1.0;
    double minDensity = -1.0;
    double zeroLevel = 0.0;
};

struct StampArgs {
    std::int16_t cx;
    std::int16_t cy;
    std::uint16_t radius;
    bool clampToZero;
    bool hard;
    double density;
};

// The new value of one node of a disc, di and dj from the centre.
double stampedValue(double v, std::int64_t di, std::int64_t dj, const StampArgs& a,
                    const StampSettings& s);

// Stamps a disc into values (x-major, nx by ny) and calls touched(i, j, v) for
// every node it changed. The ranges are clipped to the grid; they are computed
// in 32-bit arithmetic so that no centre and radius can wrap them, and the
// squared distances in 64 bits.
template <typename Touched>
void stampDiscValues(double* values, std::uint32_t nx, std::uint32_t ny, const StampArgs& a,
                     const StampSettings& s, Touched&& touched) {
    const std::int32_t r = a.radius;
    const std::int32_t x0 = std::max<std::int32_t>(a.cx - r, 0);
    const std::int32_t x1 = std::min<std::int32_t>(a.cx + r, static_cast<std::int32_t>(nx) - 1);
    const std::int32_t y0 = std::max<std::int32_t>(a.cy - r, 0);
    const std::int32_t y1 = std::min<std::int32_t>(a.cy + r, static_cast<std::int32_t>(ny) - 1);
    const std::int64_t r2 = std::int64_t{r} * r;
    for (std::int32_t i = x0; i <= x1; ++i) {
        const std::int64_t di = i - a.cx;
        for (std::int32_t j = y0; j <= y1; ++j) {
            const std::int64_t dj = j - a.cy;
            if (di * di + dj * dj > r2) continue;
            double& v = values[std::int64_t{i} * ny + j];
            v = stampedValue(v, di, dj, a, s);
            touched(i, j, v);
        }
    }
}
