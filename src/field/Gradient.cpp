#include "field/Gradient.hpp"

#include <cstddef>

namespace {

// Each value is ((difference) * factor) / step, with step + step for the
// central difference, so the order of operations is fixed.
double xComponent(const double* src, std::size_t i, std::size_t j, std::uint32_t nx, std::size_t ny,
                  double hx, double f) {
    if (nx < 2) return 0.0;
    const auto at = [&](std::size_t x) { return src[x * ny + j]; };
    if (i == 0) return (at(1) - at(0)) * f / hx;
    if (i == nx - 1) return (at(nx - 1) - at(nx - 2)) * f / hx;
    return (at(i + 1) - at(i - 1)) * f / (hx + hx);
}

double yComponent(const double* column, std::size_t j, std::uint32_t ny, double hy, double f) {
    if (ny < 2) return 0.0;
    if (j == 0) return (column[1] - column[0]) * f / hy;
    if (j == ny - 1) return (column[ny - 1] - column[ny - 2]) * f / hy;
    return (column[j + 1] - column[j - 1]) * f / (hy + hy);
}

}  // namespace

void gradientReference(const double* src, double* dst, std::uint32_t nx, std::uint32_t ny,
                       double hx, double hy, double factor) {
    for (std::size_t i = 0; i < nx; ++i) {
        const double* column = src + i * ny;
        for (std::size_t j = 0; j < ny; ++j) {
            const std::size_t k = 2 * (i * ny + j);
            dst[k] = xComponent(src, i, j, nx, ny, hx, factor);
            dst[k + 1] = yComponent(column, j, ny, hy, factor);
        }
    }
}
