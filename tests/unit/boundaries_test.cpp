#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "field/Boundaries.hpp"

namespace {

constexpr std::uint32_t nx = 6;
constexpr std::uint32_t ny = 5;

// Every node holds a different value, so a copy from the wrong line shows.
std::vector<double> distinctValues() {
    std::vector<double> phi(nx * ny);
    for (std::uint32_t i = 0; i < nx; ++i) {
        for (std::uint32_t j = 0; j < ny; ++j)
            phi[i * ny + j] = 10.0 * i + j + 0.5;
    }
    return phi;
}

double at(const std::vector<double>& phi, std::uint32_t i, std::uint32_t j) {
    return phi[i * ny + j];
}

}  // namespace

TEST(Boundaries, LeftRightPeriodicCopiesBeforeTopAndBottomAreWritten) {
    const std::vector<double> old = distinctValues();
    std::vector<double> phi = old;
    const BoundarySides sides{{{Periodic, 99.0}, {Periodic, 98.0}, {Fixed, -1.0}, {Fixed, -2.0}}};
    applyBoundaryConditions(phi.data(), nx, ny, sides);
    for (std::uint32_t j = 0; j < ny; ++j) {
        // Corners included: they hold what the top and bottom rows had before.
        EXPECT_EQ(at(phi, 0, j), at(old, nx - 2, j)) << j;
        EXPECT_EQ(at(phi, nx - 1, j), at(old, 1, j)) << j;
    }
    for (std::uint32_t j = 1; j + 1 < ny; ++j) {
        EXPECT_EQ(at(phi, 0, j), at(phi, nx - 2, j));
        EXPECT_EQ(at(phi, nx - 1, j), at(phi, 1, j));
    }
    for (std::uint32_t i = 1; i + 1 < nx; ++i) {
        EXPECT_EQ(at(phi, i, 0), -1.0);
        EXPECT_EQ(at(phi, i, ny - 1), -2.0);
        for (std::uint32_t j = 1; j + 1 < ny; ++j)
            EXPECT_EQ(at(phi, i, j), at(old, i, j));
    }
}

TEST(Boundaries, TopBottomPeriodicCopiesThenFixedColumns) {
    const std::vector<double> old = distinctValues();
    std::vector<double> phi = old;
    const BoundarySides sides{{{Fixed, 7.0}, {Fixed, 8.0}, {Periodic, 99.0}, {Periodic, 98.0}}};
    applyBoundaryConditions(phi.data(), nx, ny, sides);
    for (std::uint32_t i = 1; i + 1 < nx; ++i) {
        EXPECT_EQ(at(phi, i, ny - 1), at(old, i, 1)) << i;
        EXPECT_EQ(at(phi, i, 0), at(old, i, ny - 2)) << i;
    }
    for (std::uint32_t j = 0; j < ny; ++j) {
        EXPECT_EQ(at(phi, 0, j), 7.0);
        EXPECT_EQ(at(phi, nx - 1, j), 8.0);
    }
}

TEST(Boundaries, FixedSidesOwnTheirLinesAndUnknownKindsAreIgnored) {
    // Lines of one or two nodes as well: there Right overwrites Left and
    // Bottom overwrites Top, and the rows leave out the first and last columns.
    const std::pair<std::uint32_t, std::uint32_t> sizes[] = {
        {6, 5}, {1, 1}, {1, 4}, {4, 1}, {2, 2}};
    for (const auto& [w, h] : sizes) {
        std::vector<double> phi(w * h, 0.5);
        applyBoundaryConditions(phi.data(), w, h,
                                {{{Fixed, 1.0}, {Fixed, 2.0}, {Fixed, 3.0}, {Fixed, 4.0}}});
        for (std::uint32_t i = 0; i < w; ++i) {
            for (std::uint32_t j = 0; j < h; ++j) {
                const double expected = i == w - 1   ? 2.0
                                        : i == 0     ? 1.0
                                        : j == h - 1 ? 4.0
                                        : j == 0     ? 3.0
                                                     : 0.5;
                EXPECT_EQ(phi[i * h + j], expected) << w << "x" << h << " " << i << "," << j;
            }
        }
    }

    const std::vector<double> old = distinctValues();
    std::vector<double> phi = old;
    applyBoundaryConditions(phi.data(), nx, ny, {{{2, 1.0}, {-1, 2.0}, {7, 3.0}, {2, 4.0}}});
    EXPECT_EQ(phi, old);

    // Only the kind of Left switches the horizontal copy, and only that of
    // Top the vertical one.
    applyBoundaryConditions(phi.data(), nx, ny,
                            {{{2, 1.0}, {Periodic, 2.0}, {2, 3.0}, {Periodic, 4.0}}});
    EXPECT_EQ(phi, old);
}
