#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "field/Reference.hpp"

TEST(Gradient, LinearPotentialGivesUniformFieldUpToTheEdges) {
    const std::uint32_t nx = 7;
    const std::uint32_t ny = 5;
    const double hx = 1.0 / 5;
    const double a = 3.7;
    std::vector<double> phi(nx * ny);
    for (std::uint32_t i = 0; i < nx; ++i) {
        for (std::uint32_t j = 0; j < ny; ++j)
            phi[i * ny + j] = a * i * hx;
    }
    std::vector<double> e(2 * nx * ny, 99.0);
    gradientReference(phi.data(), e.data(), nx, ny, hx, 1.0 / 5, -1.0);
    for (std::size_t k = 0; k < nx * ny; ++k) {
        EXPECT_NEAR(e[2 * k], -a, 1e-13) << k;
        EXPECT_EQ(e[2 * k + 1], 0.0) << k;
    }
}

// phi = x^2 + 2 y^2 with steps that are powers of two, so every difference is
// exact: forward at the first node gives h * d, central ones 2 x and 4 y,
// backward at the last node (x[n-1] + x[n-2]) and 2 (y[n-1] + y[n-2]). An axis
// of one node has no stencil and gets zero.
TEST(Gradient, OneSidedAtEdgesAndCornersCentralInside) {
    const double hx = 0.5;
    const double hy = 0.25;
    const double f = -3.0;
    const std::pair<std::uint32_t, std::uint32_t> sizes[] = {{1, 1}, {1, 4}, {4, 1}, {2, 2},
                                                             {2, 3}, {5, 4}, {3, 6}};
    for (const auto& [nx, ny] : sizes) {
        std::vector<double> phi(nx * ny);
        for (std::uint32_t i = 0; i < nx; ++i) {
            for (std::uint32_t j = 0; j < ny; ++j) {
                phi[i * ny + j] = (i * hx) * (i * hx) + 2.0 * (j * hy) * (j * hy);
            }
        }
        std::vector<double> e(2 * nx * ny, 99.0);
        gradientReference(phi.data(), e.data(), nx, ny, hx, hy, f);
        for (std::uint32_t i = 0; i < nx; ++i) {
            const double x = i * hx;
            const double ex = nx == 1 ? 0.0 : i == 0 ? hx : i == nx - 1 ? x + (x - hx) : 2.0 * x;
            for (std::uint32_t j = 0; j < ny; ++j) {
                const double y = j * hy;
                const double ey = ny == 1       ? 0.0
                                  : j == 0      ? 2.0 * hy
                                  : j == ny - 1 ? 2.0 * (y + (y - hy))
                                                : 4.0 * y;
                EXPECT_EQ(e[2 * (i * ny + j)], f * ex) << nx << "x" << ny << " " << i << "," << j;
                EXPECT_EQ(e[2 * (i * ny + j) + 1], f * ey)
                    << nx << "x" << ny << " " << i << "," << j;
            }
        }
    }
}
