#include <algorithm>
#include <cmath>
#include <functional>

#include "Studies.hpp"
#include "field/Stamp.hpp"

namespace {

constexpr double pi = 3.141592653589793;
constexpr double discRadius = 0.25;  // a quarter of the box side, N/4 nodes on every grid
// Far below the discretisation error, and above the residual's rounding floor, which grows
// like N^2 relative to the charge: about 1e-11 on 800 x 800.
constexpr double relativeTolerance = 1e-10;

// Free-space potentials with grad^2 phi = -rho, of rotational symmetry about the box's centre
// node, chosen zero at r = R.
//
// A disc of uniform density 1 and radius R: -r^2/4 + R^2/4 inside, -(R^2/2) ln(r/R) outside.
double uniformDiscPotential(double r, double radius) {
    const double r2 = radius * radius;
    if (r <= radius) return (r2 - r * r) / 4.0;
    return -0.5 * r2 * std::log(r / radius);
}

// A bump rho = (1 - r^2/R^2)^2 inside R, zero outside: smooth enough that the five-point
// stencil's truncation error is of order h^2 everywhere. r phi' = -(r^2/2 - r^4/(2R^2) +
// r^6/(6R^4)), which encloses R^2/6 at the rim.
double bumpDensity(double r, double radius) {
    if (r >= radius) return 0.0;
    const double s = 1.0 - (r * r) / (radius * radius);
    return s * s;
}

double bumpPotential(double r, double radius) {
    const double r2 = radius * radius;
    if (r >= radius) return -(r2 / 6.0) * std::log(r / radius);
    const auto inner = [r2](double x) {
        const double x2 = x * x;
        return x2 / 4.0 - x2 * x2 / (8.0 * r2) + x2 * x2 * x2 / (36.0 * r2 * r2);
    };
    return inner(radius) - inner(r);
}

using Radial = std::function<double(double)>;

struct ErrorNorms {
    double max = 0.0;
    double rms = 0.0;
};

// The box holds the exact potential on its edges and zero inside, relaxes to a residual far
// below the discretisation error, and is compared with the exact potential at every node.
class RadialProblem {
  public:
    explicit RadialProblem(std::uint32_t n) : p(n, n), centre(n / 2) { p.applySides = false; }

    double radius(std::uint32_t i, std::uint32_t j) const {
        return std::hypot(p.x(i) - p.x(centre), p.y(j) - p.y(centre));
    }
    // Zero inside, so every solve starts from the same residual.
    void setEdges(const Radial& exact) {
        std::fill(p.phi.begin(), p.phi.end(), 0.0);
        const std::uint32_t n = p.grid.nx;
        for (std::uint32_t k = 0; k < n; ++k) {
            p.phiAt(0, k) = exact(radius(0, k));
            p.phiAt(n - 1, k) = exact(radius(n - 1, k));
            p.phiAt(k, 0) = exact(radius(k, 0));
            p.phiAt(k, n - 1) = exact(radius(k, n - 1));
        }
    }
    std::uint64_t solve() {
        return relaxUntil(p, p.sweepInput().constants.omega, relativeTolerance, 1'000'000, 50)
            .sweeps;
    }
    ErrorNorms errors(const Radial& exact) {
        ErrorNorms e;
        const std::uint32_t n = p.grid.nx;
        for (std::uint32_t i = 0; i < n; ++i) {
            for (std::uint32_t j = 0; j < n; ++j) {
                const double d = std::abs(p.phiAt(i, j) - exact(radius(i, j)));
                e.max = std::max(e.max, d);
                e.rms += d * d;
            }
        }
        e.rms = std::sqrt(e.rms / (double(n) * n));
        return e;
    }

    Problem p;
    std::uint32_t centre;
};

// Relaxes the box with the exact potential on its edges and the charge it holds, and measures
// how far the result lies from the exact potential.
ErrorNorms solveAgainst(RadialProblem& problem, const Radial& exact, std::uint64_t* sweeps) {
    problem.setEdges(exact);
    const std::uint64_t made = problem.solve();
    if (sweeps != nullptr) *sweeps = made;
    return problem.errors(exact);
}

}  // namespace

DiscResult discStudy(std::uint32_t n) {
    DiscResult r{};
    r.n = n;
    r.h = 1.0 / n;

    // The disc as a user paints it with the hard brush: density 1 on every node whose distance
    // from the centre node is at most the radius.
    RadialProblem disc(n);
    const StampArgs stamp{static_cast<std::int16_t>(disc.centre),
                          static_cast<std::int16_t>(disc.centre),
                          static_cast<std::uint16_t>(n / 4),
                          false,
                          true,
                          1.0};
    stampDiscValues(disc.p.rho.data(), n, n, stamp, StampSettings{},
                    [&](std::int32_t, std::int32_t, double) { ++r.discNodes; });
    r.discNodesExpected = pi * (n / 4.0) * (n / 4.0);
    const ErrorNorms de = solveAgainst(
        disc, [](double x) { return uniformDiscPotential(x, discRadius); }, &r.sweeps);
    r.discMax = de.max;
    r.discRms = de.rms;

    // The same staircase against the disc that holds exactly the stamped charge (and with that
    // disc's potential on the edges): what is left is the error of the staircase's shape, not
    // of its total charge.
    const double sameCharge = std::sqrt(double(r.discNodes) / pi) * r.h;
    r.discMaxSameCharge =
        solveAgainst(
            disc, [&](double x) { return uniformDiscPotential(x, sameCharge); }, nullptr)
            .max;

    RadialProblem bump(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < n; ++j)
            bump.p.rhoAt(i, j) = bumpDensity(bump.radius(i, j), discRadius);
    }
    const ErrorNorms be = solveAgainst(
        bump, [](double x) { return bumpPotential(x, discRadius); }, nullptr);
    r.smoothMax = be.max;
    r.smoothRms = be.rms;
    return r;
}
