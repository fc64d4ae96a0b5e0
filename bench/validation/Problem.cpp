#include "Problem.hpp"

#include <algorithm>
#include <cmath>

#include "field/Axis.hpp"

namespace {

void sweepOnce(Problem& p, const SweepInput& in) {
    if (p.applySides) {
        relaxReference(in, p.sides, 1);
    } else {
        sweepReference(in);
    }
}

// Keeps the history short: a point whenever the sweep count has grown by 2.3 % (100 points a
// decade), and every point of the first hundred sweeps.
class HistoryThinning {
  public:
    bool wants(std::uint64_t sweep) {
        if (sweep < next_) return false;
        next_ = std::max<double>(next_ + 1.0, next_ * 1.023);
        return true;
    }

  private:
    double next_ = 0.0;
};

}  // namespace

Problem::Problem(std::uint32_t nx, std::uint32_t ny)
    : grid(domainGrid(nx, ny)), phi(grid.nodeCount(), 0.0), rho(grid.nodeCount(), 0.0) {}

SweepInput Problem::sweepInput(double omega) {
    RelaxConstants c = relaxConstants(grid.nx, grid.ny, grid.hx, grid.hy);
    c.omega = omega;
    return {phi.data(), rho.data(), grid.nx, grid.ny, grid.hx, grid.hy, c};
}

double residualNorm(const Problem& p) {
    const std::uint32_t nx = p.grid.nx;
    const std::uint32_t ny = p.grid.ny;
    const double hx2 = p.grid.hx * p.grid.hx;
    const double hy2 = p.grid.hy * p.grid.hy;
    double sum = 0.0;
    for (std::uint32_t i = 1; i + 1 < nx; ++i) {
        for (std::uint32_t j = 1; j + 1 < ny; ++j) {
            const std::size_t k = p.grid.index(i, j);
            const double centre = p.phi[k];
            const double across = (p.phi[k - ny] - 2.0 * centre + p.phi[k + ny]) / hx2;
            const double along = (p.phi[k - 1] - 2.0 * centre + p.phi[k + 1]) / hy2;
            const double r = p.rho[k] + across + along;
            sum += r * r;
        }
    }
    return std::sqrt(sum);
}

RelaxRun relaxUntil(Problem& p, double omega, double tolerance, std::uint64_t maxSweeps,
                    std::uint32_t checkEvery, std::uint32_t stallChecks) {
    const SweepInput in = p.sweepInput(omega);
    if (p.applySides) applyBoundaryConditions(p.phi.data(), p.grid.nx, p.grid.ny, p.sides);
    const double first = residualNorm(p);
    RelaxRun run;
    HistoryThinning thinning;
    run.history.push_back({0, 1.0});
    thinning.wants(0);
    std::vector<double> blockStart;
    double smallest = 1.0;
    std::uint32_t stalled = 0;
    while (run.sweeps < maxSweeps) {
        blockStart = p.phi;
        const std::uint64_t block = std::min<std::uint64_t>(checkEvery, maxSweeps - run.sweeps);
        for (std::uint64_t s = 0; s < block; ++s)
            sweepOnce(p, in);
        const double relative = residualNorm(p) / first;
        if (relative <= tolerance && block > 1) {
            // Find the first sweep of this block that reached the tolerance.
            p.phi = blockStart;
            for (std::uint64_t s = 1; s <= block; ++s) {
                sweepOnce(p, in);
                run.relative = residualNorm(p) / first;
                if (run.relative <= tolerance) {
                    run.sweeps += s;
                    break;
                }
            }
        } else {
            run.sweeps += block;
            run.relative = relative;
        }
        run.reached = run.relative <= tolerance;
        if (thinning.wants(run.sweeps) || run.reached)
            run.history.push_back({run.sweeps, run.relative});
        if (run.reached) break;
        stalled = run.relative < smallest ? 0 : stalled + 1;
        smallest = std::min(smallest, run.relative);
        if (stallChecks > 0 && stalled >= stallChecks) break;
    }
    if (run.history.back().sweep != run.sweeps) run.history.push_back({run.sweeps, run.relative});
    return run;
}
