#include <cmath>

#include "Studies.hpp"
#include "field/Stamp.hpp"

namespace {

constexpr double pi = 3.141592653589793;

// The grounded box of the program's default sides, holding the hard-stamped disc of radius N/4.
Problem groundedDisc(std::uint32_t n) {
    Problem p(n, n);
    const auto c = static_cast<std::int16_t>(n / 2);
    const StampArgs stamp{c, c, static_cast<std::uint16_t>(n / 4), false, true, 1.0};
    stampDiscValues(p.rho.data(), n, n, stamp, StampSettings{},
                    [](std::int32_t, std::int32_t, double) {});
    return p;
}

// Spectral radius of lexicographic SOR for a consistently ordered matrix whose Jacobi iteration
// has spectral radius mu (Young's theory): below the optimal factor the largest root of
// (lambda + omega - 1)^2 = lambda omega^2 mu^2, above it omega - 1.
double sorRate(double omega, double mu) {
    const double d = omega * omega * mu * mu - 4.0 * (omega - 1.0);
    if (d <= 0.0) return omega - 1.0;
    const double root = 0.5 * (omega * mu + std::sqrt(d));
    return root * root;
}

double optimalOmega(double mu) {
    return 2.0 / (1.0 + std::sqrt(1.0 - mu * mu));
}

double sweepsFor(double tolerance, double rate) {
    return std::log(tolerance) / std::log(rate);
}

// Geometric mean reduction per sweep over the last stretch of a run's history.
double measuredRate(const RelaxRun& run) {
    const auto& h = run.history;
    const ResidualPoint& last = h.back();
    std::size_t k = h.size() - 1;
    while (k > 0 && h[k].sweep > last.sweep * 0.8)
        --k;
    if (h[k].sweep == last.sweep) return 0.0;
    return std::pow(last.relative / h[k].relative, 1.0 / double(last.sweep - h[k].sweep));
}

}  // namespace

SweepCountResult sweepCountStudy(std::uint32_t n, double tolerance, std::uint64_t gsCap) {
    SweepCountResult r{};
    r.n = n;
    r.tolerance = tolerance;
    r.gsCap = gsCap;
    // Nodes 0 and n-1 are held, so the slowest mode is sin(pi j / (n-1)) along both axes.
    const double mu = std::cos(pi / (n - 1));

    Problem sor = groundedDisc(n);
    r.omega = sor.sweepInput().constants.omega;
    const RelaxRun sorRun = relaxUntil(sor, r.omega, tolerance, 1'000'000, 1);
    r.sorSweeps = sorRun.sweeps;
    r.sorHistory = sorRun.history;
    r.sorMeasuredRate = measuredRate(sorRun);
    r.sorTheoryRate = sorRate(r.omega, mu);
    r.sorPredicted = sweepsFor(tolerance, r.sorTheoryRate);
    r.sorOptimalPredicted = sweepsFor(tolerance, optimalOmega(mu) - 1.0);

    Problem gs = groundedDisc(n);
    const RelaxRun gsRun = relaxUntil(gs, 1.0, tolerance, gsCap, 20);
    r.gsHistory = gsRun.history;
    r.gsMeasuredRate = measuredRate(gsRun);
    r.gsTheoryRate = mu * mu;
    r.gsPredicted = sweepsFor(tolerance, r.gsTheoryRate);
    r.gsCapped = !gsRun.reached;
    // A capped run goes on at its measured asymptotic rate.
    r.gsSweeps = gsRun.sweeps;
    if (r.gsCapped) {
        r.gsSweeps += static_cast<std::uint64_t>(
            std::ceil(std::log(tolerance / gsRun.relative) / std::log(r.gsMeasuredRate)));
    }
    return r;
}
