#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "../support/RelaxProblem.hpp"
#include "field/Reference.hpp"
#include "field/fast/RelaxFast.hpp"
#include "field/fast/SimdLevel.hpp"

namespace {

struct Size {
    std::uint32_t nx;
    std::uint32_t ny;
};

enum class Steps { Equal, Differing };

// A random potential and charge on an nx by ny grid with one of the two update
// forms: equal steps, or steps one unit in the last place apart.
RelaxProblem randomProblem(Size s, Steps steps, unsigned seed) {
    const double hx = 1.0 / s.ny;
    RelaxProblem p(s.nx, s.ny, hx, steps == Steps::Equal ? hx : std::nextafter(hx, 1.0));
    p.randomise(seed);
    return p;
}

BoundarySides sidesOf(std::int32_t leftRight, std::int32_t topBottom) {
    return {{{leftRight, 0.25}, {leftRight, -0.5}, {topBottom, 0.125}, {topBottom, -1.5}}};
}

// The side combinations: all fixed, either pair periodic, both periodic, and a
// kind that is neither (its edges are left as they are).
const BoundarySides sideCases[] = {
    sidesOf(Fixed, Fixed),       sidesOf(Periodic, Fixed), sidesOf(Fixed, Periodic),
    sidesOf(Periodic, Periodic), sidesOf(2, Fixed),        sidesOf(Fixed, 2),
};

std::string describe(const RelaxProblem& p, const BoundarySides& sides, std::uint32_t sweeps,
                     SimdLevel level) {
    return std::to_string(p.nx) + "x" + std::to_string(p.ny) +
           (p.hx == p.hy ? " equal" : " general") + " sides " + std::to_string(sides[Left].kind) +
           std::to_string(sides[Top].kind) + " sweeps " + std::to_string(sweeps) + " " +
           simdLevelName(level);
}

// Index of the first value whose bits differ, or -1.
std::ptrdiff_t firstDifference(const std::vector<double>& a, const std::vector<double>& b) {
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (std::memcmp(&a[k], &b[k], sizeof(double)) != 0) return static_cast<std::ptrdiff_t>(k);
    }
    return -1;
}

// Runs the reference and every supported fast path from the same start, with
// the edges as given (so the first sweep may see edges the boundaries change).
void expectSameBits(RelaxProblem& p, const BoundarySides& sides, std::uint32_t sweeps,
                    RelaxWorkspace& ws) {
    std::vector<double> expected = p.phi;
    relaxReference(p.input(expected), sides, sweeps);
    for (const SimdLevel level : supportedSimdLevels()) {
        std::vector<double> actual = p.phi;
        relaxFast(p.input(actual), sides, sweeps, ws, level);
        ASSERT_EQ(firstDifference(expected, actual), -1) << describe(p, sides, sweeps, level);
    }
}

const Size smallSizes[] = {{1, 1}, {1, 6}, {6, 1},  {2, 2},  {2, 7},  {3, 3},  {3, 5},
                           {5, 3}, {4, 4}, {7, 13}, {13, 7}, {9, 40}, {40, 9}, {33, 17}};

TEST(RelaxFast, SmallGridsEverySweepCountFormAndSide) {
    RelaxWorkspace ws;
    unsigned seed = 1;
    for (const Size size : smallSizes) {
        for (const Steps steps : {Steps::Equal, Steps::Differing}) {
            for (const BoundarySides& sides : sideCases) {
                for (std::uint32_t sweeps = 0; sweeps <= 50; ++sweeps) {
                    RelaxProblem p = randomProblem(size, steps, seed++);
                    expectSameBits(p, sides, sweeps, ws);
                }
            }
        }
    }
}

TEST(RelaxFast, LargeGridsAndSweepCounts) {
    RelaxWorkspace ws;
    const Size sizes[] = {{400, 400}, {601, 299}, {299, 601}, {130, 1}};
    unsigned seed = 100;
    for (const Size size : sizes) {
        const bool large = size.nx * size.ny > 100000;
        for (const Steps steps : {Steps::Equal, Steps::Differing}) {
            for (const BoundarySides& sides : {sideCases[0], sideCases[1], sideCases[3]}) {
                for (const std::uint32_t sweeps : {1u, 7u, large ? 50u : 20u}) {
                    RelaxProblem p = randomProblem(size, steps, seed++);
                    expectSameBits(p, sides, sweeps, ws);
                }
            }
        }
    }
}

TEST(RelaxFast, LongDiagonalsSplitTheSweepsIntoChunks) {
    // Diagonals over a thousand nodes long leave room in the cache for only
    // about twenty sweeps in flight: 30 sweeps run as two chunks, passing the
    // potential through the x-major array in between.
    RelaxWorkspace ws;
    for (const Steps steps : {Steps::Equal, Steps::Differing}) {
        RelaxProblem p = randomProblem({1200, 1100}, steps, 21);
        expectSameBits(p, sideCases[0], 30, ws);
    }
}

TEST(RelaxFast, SettledEdgesRunEverySweepInFlight) {
    // Edges that already hold the fixed values: no sweep is run on its own.
    RelaxWorkspace ws;
    for (const Size size : {Size{33, 17}, Size{64, 64}, Size{257, 100}}) {
        for (const Steps steps : {Steps::Equal, Steps::Differing}) {
            RelaxProblem p = randomProblem(size, steps, 7);
            const BoundarySides sides = sideCases[0];
            applyBoundaryConditions(p.phi.data(), p.nx, p.ny, sides);
            for (const std::uint32_t sweeps : {1u, 3u, 10u, 33u})
                expectSameBits(p, sides, sweeps, ws);
        }
    }
}

TEST(RelaxFast, InfiniteChargeSpreadsTheSameNaNs) {
    // inf - inf makes NaNs that then spread through the sums: the fast paths
    // must put the same bits (payload and sign) at the same nodes.
    RelaxWorkspace ws;
    for (const Steps steps : {Steps::Equal, Steps::Differing}) {
        RelaxProblem p = randomProblem({37, 23}, steps, 11);
        p.rho[10 * 23 + 5] = std::numeric_limits<double>::infinity();
        p.rho[20 * 23 + 15] = -std::numeric_limits<double>::infinity();
        p.phi[30 * 23 + 8] = -0.0;
        expectSameBits(p, sideCases[0], 12, ws);
        expectSameBits(p, sideCases[1], 12, ws);
        std::vector<double> relaxed = p.phi;
        relaxReference(p.input(relaxed), sideCases[0], 12);
        EXPECT_TRUE(std::isnan(relaxed[15 * 23 + 10])) << "the NaNs should have spread";
    }
}

TEST(RelaxFast, TinyAndHugeValuesRoundAlike) {
    // Subnormal and near-overflow values exercise the rounding of every step.
    RelaxWorkspace ws;
    RelaxProblem p = randomProblem({29, 31}, Steps::Differing, 5);
    for (std::size_t k = 0; k < p.phi.size(); k += 3)
        p.phi[k] *= 1e-310;
    for (std::size_t k = 1; k < p.phi.size(); k += 7)
        p.phi[k] *= 1e307;
    for (std::size_t k = 2; k < p.rho.size(); k += 5)
        p.rho[k] *= 4e-320;
    expectSameBits(p, sideCases[0], 9, ws);
    expectSameBits(p, sideCases[3], 9, ws);
}

TEST(RelaxFast, OneWorkspaceServesGridsOfEverySize) {
    // The workspace only grows; a smaller grid after a larger one must not read
    // stale slots.
    RelaxWorkspace ws;
    unsigned seed = 300;
    for (const Size size : {Size{200, 150}, Size{9, 11}, Size{150, 200}, Size{64, 3}}) {
        RelaxProblem p = randomProblem(size, Steps::Equal, seed++);
        expectSameBits(p, sideCases[0], 10, ws);
        expectSameBits(p, sideCases[1], 10, ws);
    }
}

TEST(RelaxFast, MetalNodesKeepTheirValuesOnEveryLevel) {
    // Metal splits the diagonals into runs: long ones round a block and a ring, runs of a few
    // nodes between scattered metal, and one workspace whose layout of the metal must follow
    // every new mask.
    RelaxWorkspace ws;
    const Size sizes[] = {{3, 3}, {4, 4}, {7, 13}, {13, 7}, {33, 17}, {400, 400}, {601, 299}};
    unsigned seed = 500;
    for (const Size size : sizes) {
        for (const Steps steps : {Steps::Equal, Steps::Differing}) {
            for (const BoundarySides& sides : {sideCases[0], sideCases[1], sideCases[3]}) {
                RelaxProblem p = randomProblem(size, steps, seed);
                p.addMetal(seed++);
                for (const std::uint32_t sweeps : {1u, 6u, 23u})
                    expectSameBits(p, sides, sweeps, ws);
                std::vector<double> relaxed = p.phi;
                relaxReference(p.input(relaxed), sides, 5);
                for (std::uint32_t i = 1; i + 1 < p.nx; ++i) {
                    for (std::uint32_t j = 1; j + 1 < p.ny; ++j) {
                        const std::size_t k = std::size_t{i} * p.ny + j;
                        if (p.held[k] == 0) continue;
                        ASSERT_EQ(relaxed[k], p.phi[k]) << i << ", " << j;
                    }
                }
            }
        }
    }
    RelaxProblem chunked = randomProblem({1200, 1100}, Steps::Equal, 9);
    chunked.addMetal(9);
    expectSameBits(chunked, sideCases[0], 30, ws);
}

TEST(SimdLevel, PortableAlwaysRunsAndTheBestIsSupported) {
    const std::vector<SimdLevel> levels = supportedSimdLevels();
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels.front(), SimdLevel::Portable);
    EXPECT_TRUE(simdLevelSupported(bestSimdLevel()));
    EXPECT_EQ(levels.back(), bestSimdLevel());
}

}  // namespace
