#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "../support/RelaxProblem.hpp"
#include "field/Reference.hpp"

namespace {

constexpr double pi = 3.141592653589793;

// The update of one node written out from the discrete equation. n is the
// neighbour at j - 1, s the one at j + 1.
double equalStepUpdate(double phi, double w, double e, double n, double s, double rho, double h,
                       double omega) {
    return phi + omega * 0.25 * (w + e + n + s - 4.0 * phi + h * h * rho);
}

double generalUpdate(double phi, double w, double e, double n, double s, double rho, double hx,
                     double hy, double omega) {
    const double stencil = 1.0 / (2.0 / (hx * hx) + 2.0 / (hy * hy));
    return omega * stencil * ((e + w) / (hx * hx) + rho / 1.0 + (n + s) / (hy * hy)) +
           (1.0 - omega) * phi;
}

BoundarySides fixedSides(double left, double right, double top, double bottom) {
    return {{{Fixed, left}, {Fixed, right}, {Fixed, top}, {Fixed, bottom}}};
}

// Solves the five-point equations of the interior nodes with the edges held
// at the side values, by dense Gaussian elimination with partial pivoting.
std::vector<double> directSolve(RelaxProblem& p, const BoundarySides& sides) {
    const std::uint32_t mx = p.nx - 2;
    const std::uint32_t my = p.ny - 2;
    const std::size_t n = std::size_t{mx} * my;
    const auto unknown = [&](std::uint32_t i, std::uint32_t j) { return (i - 1) * my + (j - 1); };
    const auto edgeValue = [&](std::uint32_t i, std::uint32_t j) {
        if (i == 0) return sides[Left].value;
        if (i == p.nx - 1) return sides[Right].value;
        return j == 0 ? sides[Top].value : sides[Bottom].value;
    };
    std::vector<std::vector<double>> a(n, std::vector<double>(n + 1, 0.0));
    const double cx = 1.0 / (p.hx * p.hx);
    const double cy = 1.0 / (p.hy * p.hy);
    for (std::uint32_t i = 1; i + 1 < p.nx; ++i) {
        for (std::uint32_t j = 1; j + 1 < p.ny; ++j) {
            std::vector<double>& row = a[unknown(i, j)];
            row[unknown(i, j)] = -2.0 * cx - 2.0 * cy;
            row[n] = -p.charge(i, j);
            const std::pair<std::uint32_t, std::uint32_t> nbs[] = {
                {i - 1, j}, {i + 1, j}, {i, j - 1}, {i, j + 1}};
            for (const auto& [ni, nj] : nbs) {
                const double c = ni != i ? cx : cy;
                const bool edge = ni == 0 || nj == 0 || ni == p.nx - 1 || nj == p.ny - 1;
                if (edge) {
                    row[n] -= c * edgeValue(ni, nj);
                } else {
                    row[unknown(ni, nj)] += c;
                }
            }
        }
    }
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t pivot = k;
        for (std::size_t r = k + 1; r < n; ++r) {
            if (std::fabs(a[r][k]) > std::fabs(a[pivot][k])) pivot = r;
        }
        std::swap(a[k], a[pivot]);
        for (std::size_t r = k + 1; r < n; ++r) {
            const double m = a[r][k] / a[k][k];
            for (std::size_t c = k; c <= n; ++c)
                a[r][c] -= m * a[k][c];
        }
    }
    std::vector<double> x(n);
    for (std::size_t k = n; k-- > 0;) {
        double sum = a[k][n];
        for (std::size_t c = k + 1; c < n; ++c)
            sum -= a[k][c] * x[c];
        x[k] = sum / a[k][k];
    }
    return x;
}

}  // namespace

TEST(Relaxation, ZeroSweepsChangeNothing) {
    RelaxProblem p(6, 5);
    p.randomise(1);
    const std::vector<double> before = p.phi;
    relaxReference(p.input(), fixedSides(3.0, 3.0, 3.0, 3.0), 0);
    EXPECT_EQ(p.phi, before);
}

TEST(Relaxation, ThreeByThreeUpdatesOnlyTheCentre) {
    RelaxProblem p(3, 3);
    ASSERT_EQ(p.hx, p.hy);
    // cos(pi / 3) is 0.5 only up to the last bit.
    EXPECT_NEAR(p.constants.cosSum, 1.0, 4e-16);
    EXPECT_NEAR(p.constants.omega, 8.0 - 4.0 * std::sqrt(3.0), 1e-15);
    EXPECT_NEAR(p.constants.stencilFactor, p.hx * p.hx / 4.0, 1e-17);
    p.randomise(2);
    const std::vector<double> before = p.phi;
    const double expected = equalStepUpdate(before[4], before[1], before[7], before[3], before[5],
                                            p.rho[4], p.hx, p.constants.omega);
    sweepReference(p.input());
    for (std::size_t k = 0; k < 9; ++k) {
        if (k != 4) {
            EXPECT_EQ(p.phi[k], before[k]) << "node " << k;
        }
    }
    EXPECT_EQ(p.phi[4], expected);
    ASSERT_NE(expected, before[4]);
}

TEST(Relaxation, OverRelaxationFactorOfASquareGrid) {
    // With cosSum = 2 cos(pi / n) the factor is 2 / (1 + sin(pi / n)).
    const RelaxProblem p(400, 400);
    EXPECT_NEAR(p.constants.omega, 2.0 / (1.0 + std::sin(pi / 400)), 1e-12);
    EXPECT_EQ(p.constants.chargeDivisor, 1.0);
}

TEST(Relaxation, StepsDifferingInTheLastBitTakeTheGeneralForm) {
    RelaxProblem p(3, 5);
    EXPECT_NEAR(p.constants.cosSum, (1.0 + std::sqrt(5.0)) / 4.0 + 0.5, 1e-15);
    ASSERT_NE(p.hx, p.hy);
    ASSERT_EQ(p.hx, 0.6 / 3);
    ASSERT_EQ(p.hy, 1.0 / 5);
    p.randomise(3);
    const RelaxProblem old = p;
    const auto o = [&](std::uint32_t i, std::uint32_t j) { return old.phi[i * 5 + j]; };
    const double omega = p.constants.omega;
    const double general = generalUpdate(o(1, 1), o(0, 1), o(2, 1), o(1, 0), o(1, 2),
                                         p.charge(1, 1), p.hx, p.hy, omega);
    const double equal =
        equalStepUpdate(o(1, 1), o(0, 1), o(2, 1), o(1, 0), o(1, 2), p.charge(1, 1), p.hx, omega);
    ASSERT_NE(general, equal);  // otherwise this data could not tell the forms apart
    sweepReference(p.input());
    EXPECT_EQ(p.at(1, 1), general);
}

TEST(Relaxation, NodesSeeUpdatedLeftAndUpperNeighbours) {
    RelaxProblem p(4, 4);
    ASSERT_EQ(p.hx, 0.25);
    ASSERT_EQ(p.hy, 0.25);
    for (std::uint32_t i = 0; i < 4; ++i) {
        for (std::uint32_t j = 0; j < 4; ++j) {
            p.at(i, j) = 0.1 * i - 0.3 * j + 0.01 * i * j * j;
            p.charge(i, j) = (i + j) % 2 == 0 ? 0.5 : -0.25;
        }
    }
    const RelaxProblem old = p;
    const auto o = [&](std::uint32_t i, std::uint32_t j) { return old.phi[i * 4 + j]; };
    const auto r = [&](std::uint32_t i, std::uint32_t j) { return old.rho[i * 4 + j]; };
    const auto update = [&](std::uint32_t i, std::uint32_t j, double w, double n) {
        return equalStepUpdate(o(i, j), w, o(i + 1, j), n, o(i, j + 1), r(i, j), 0.25,
                               p.constants.omega);
    };
    const double u11 = update(1, 1, o(0, 1), o(1, 0));
    const double u12 = update(1, 2, o(0, 2), u11);
    const double u21 = update(2, 1, u11, o(2, 0));
    const double u22 = update(2, 2, u12, u21);
    ASSERT_NE(u22, update(2, 2, o(1, 2), o(2, 1)));  // Jacobi order would differ
    sweepReference(p.input());
    EXPECT_EQ(p.at(1, 1), u11);
    EXPECT_EQ(p.at(1, 2), u12);
    EXPECT_EQ(p.at(2, 1), u21);
    EXPECT_EQ(p.at(2, 2), u22);
}

TEST(Relaxation, PeriodicCopiesFollowEverySweep) {
    RelaxProblem p(6, 5);
    p.randomise(8);
    const std::vector<double> before = p.phi;
    const BoundarySides sides{{{Periodic, 0.0}, {Periodic, 0.0}, {Fixed, 1.0}, {Fixed, -1.0}}};
    relaxReference(p.input(), sides, 3);
    for (std::uint32_t j = 1; j + 1 < p.ny; ++j) {
        EXPECT_NE(p.at(1, j), before[1 * p.ny + j]);
        EXPECT_EQ(p.at(0, j), p.at(p.nx - 2, j)) << j;
        EXPECT_EQ(p.at(p.nx - 1, j), p.at(1, j)) << j;
    }
}

TEST(Relaxation, UniformFixedSidesGiveAUniformPotential) {
    RelaxProblem p(12, 9);
    relaxReference(p.input(), fixedSides(2.5, 2.5, 2.5, 2.5), 400);
    for (double v : p.phi)
        EXPECT_NEAR(v, 2.5, 1e-12);
}

TEST(Relaxation, ConvergesToTheDirectSolution) {
    // Equal steps, then clearly unequal ones, so the general form is exercised
    // with hx and hy in their right places.
    RelaxProblem problems[] = {RelaxProblem(9, 7, 1.0 / 7, 1.0 / 7),
                               RelaxProblem(9, 7, 0.125, 0.1)};
    ASSERT_EQ(problems[0].hx, problems[0].hy);
    const BoundarySides sides = fixedSides(1.0, -0.5, 0.25, 2.0);
    for (RelaxProblem& p : problems) {
        p.randomise(4);
        const std::vector<double> expected = directSolve(p, sides);
        relaxReference(p.input(), sides, 400);
        std::size_t k = 0;
        for (std::uint32_t i = 1; i + 1 < p.nx; ++i) {
            for (std::uint32_t j = 1; j + 1 < p.ny; ++j) {
                EXPECT_NEAR(p.at(i, j), expected[k++], 1e-12) << i << "," << j << " hx " << p.hx;
            }
        }
    }
}

TEST(Relaxation, ConvergedPotentialIsSecondOrderAccurate) {
    // phi = sin(pi x) sin(pi y) on the unit square with zero sides solves
    // laplacian(phi) = -rho for rho = 2 pi^2 phi.
    double previous = 0.0;
    for (std::uint32_t intervals : {8u, 16u, 32u, 64u}) {
        const std::uint32_t n = intervals + 1;
        const double h = 1.0 / intervals;
        RelaxProblem p(n, n, h, h);
        const auto exact = [&](std::uint32_t i, std::uint32_t j) {
            return std::sin(pi * i * h) * std::sin(pi * j * h);
        };
        for (std::uint32_t i = 0; i < n; ++i) {
            for (std::uint32_t j = 0; j < n; ++j)
                p.charge(i, j) = 2.0 * pi * pi * exact(i, j);
        }
        relaxReference(p.input(), fixedSides(0.0, 0.0, 0.0, 0.0), 1500);
        double error = 0.0;
        for (std::uint32_t i = 0; i < n; ++i) {
            for (std::uint32_t j = 0; j < n; ++j) {
                error = std::max(error, std::fabs(p.at(i, j) - exact(i, j)));
            }
        }
        if (previous > 0.0) {
            EXPECT_NEAR(previous / error, 4.0, 0.1) << intervals << " intervals";
        }
        previous = error;
    }
}
