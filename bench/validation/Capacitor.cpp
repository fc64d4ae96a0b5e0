#include <algorithm>
#include <cmath>

#include "Studies.hpp"

namespace {

constexpr double topValue = 0.0031;
constexpr double bottomValue = -0.0031;

// The scenario's plates: +1 in rows ny/2 - ny/4 ... + 4, -1 in rows ny/2 + ny/4 ... + 4, every
// column; left and right periodic, top and bottom fixed.
std::uint32_t upperPlateRow(std::uint32_t n) {
    return n / 2 - n / 4;
}
std::uint32_t lowerPlateRow(std::uint32_t n) {
    return n / 2 + n / 4;
}
constexpr std::uint32_t plateRows = 5;

double plateCharge(std::uint32_t n, std::uint32_t j) {
    if (j >= upperPlateRow(n) && j < upperPlateRow(n) + plateRows) return 1.0;
    if (j >= lowerPlateRow(n) && j < lowerPlateRow(n) + plateRows) return -1.0;
    return 0.0;
}

Problem capacitorProblem(std::uint32_t n) {
    Problem p(n, n);
    p.sides[Left].kind = Periodic;
    p.sides[Right].kind = Periodic;
    p.sides[Top] = {Fixed, topValue};
    p.sides[Bottom] = {Fixed, bottomValue};
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < n; ++j)
            p.rhoAt(i, j) = plateCharge(n, j);
    }
    return p;
}

// phi(j-1) - 2 phi(j) + phi(j+1) = -h^2 rho(j) for j = 1 ... n-2 with both ends given: the
// Thomas algorithm in long double, so the reference carries more digits than the solver.
std::vector<double> discreteProfile(std::uint32_t n, double h) {
    const std::size_t m = n - 2;
    std::vector<long double> diag(m), rhs(m);
    for (std::size_t k = 0; k < m; ++k) {
        diag[k] = -2.0L;
        rhs[k] =
            -static_cast<long double>(h) * h * plateCharge(n, static_cast<std::uint32_t>(k + 1));
    }
    rhs[0] -= topValue;
    rhs[m - 1] -= bottomValue;
    for (std::size_t k = 1; k < m; ++k) {
        const long double f = 1.0L / diag[k - 1];
        diag[k] -= f;
        rhs[k] -= f * rhs[k - 1];
    }
    std::vector<long double> u(m);
    u[m - 1] = rhs[m - 1] / diag[m - 1];
    for (std::size_t k = m - 1; k-- > 0;)
        u[k] = (rhs[k] - u[k + 1]) / diag[k];
    std::vector<double> phi(n);
    phi[0] = topValue;
    phi[n - 1] = bottomValue;
    for (std::size_t k = 0; k < m; ++k)
        phi[k + 1] = static_cast<double>(u[k]);
    return phi;
}

// The continuum problem -phi'' = rho on [0, (n-1) h] with the same end values, each plate a
// slab of density +-1 covering its rows' cells: [(j0 - 1/2) h, (j0 + 5 - 1/2) h].
class ContinuumCapacitor {
  public:
    ContinuumCapacitor(std::uint32_t n, double h) : h_(h), end_((n - 1) * h) {
        upper_ = {(upperPlateRow(n) - 0.5) * h, (upperPlateRow(n) + plateRows - 0.5) * h};
        lower_ = {(lowerPlateRow(n) - 0.5) * h, (lowerPlateRow(n) + plateRows - 0.5) * h};
        slope_ = (bottomValue - topValue + charged(end_)) / end_;
    }
    double operator()(double y) const { return topValue + slope_ * y - charged(y); }
    double slope(double y) const {
        const double d = 1e-3 * h_;
        return ((*this)(y + d) - (*this)(y - d)) / (2.0 * d);
    }
    double upperTop() const { return upper_.a; }
    double upperBottom() const { return upper_.b; }
    double lowerTop() const { return lower_.a; }

  private:
    struct Slab {
        double a;
        double b;
    };
    // The integral of (y - s) rho(s) over s < y: what the charge above y adds to the curvature.
    double charged(double y) const { return slabPart(upper_, y) - slabPart(lower_, y); }
    static double slabPart(const Slab& s, double y) {
        const double pa = std::max(0.0, y - s.a);
        const double pb = std::max(0.0, y - s.b);
        return 0.5 * (pa * pa - pb * pb);
    }

    double h_;
    double end_;
    Slab upper_{};
    Slab lower_{};
    double slope_ = 0.0;
};

void fillProfile(const Problem& p, const std::vector<double>& discrete,
                 const ContinuumCapacitor& continuum, CapacitorProfile& profile) {
    const std::uint32_t n = p.grid.ny;
    const std::uint32_t column = p.grid.nx / 2;
    for (std::uint32_t j = 0; j < n; ++j) {
        profile.y.push_back(p.y(j));
        profile.solver.push_back(p.phi[p.grid.index(column, j)]);
        profile.discrete.push_back(discrete[j]);
    }
    const int samples = 2000;
    for (int s = 0; s <= samples; ++s) {
        const double y = p.y(n - 1) * s / samples;
        profile.continuumY.push_back(y);
        profile.continuum.push_back(continuum(y));
    }
}

}  // namespace

CapacitorResult capacitorStudy(std::uint32_t n, CapacitorProfile* profile) {
    Problem p = capacitorProblem(n);
    const RelaxRun run = relaxUntil(p, p.sweepInput().constants.omega, 1e-15, 2'000'000, 100, 20);
    const double h = p.grid.hy;
    const std::vector<double> discrete = discreteProfile(n, h);
    const ContinuumCapacitor continuum(n, h);

    CapacitorResult r{};
    r.n = n;
    r.sweeps = run.sweeps;
    r.relativeResidual = run.relative;
    for (std::uint32_t i = 0; i < n; ++i) {
        for (std::uint32_t j = 0; j < n; ++j) {
            r.maxSolverVsDiscrete =
                std::max(r.maxSolverVsDiscrete, std::abs(p.phiAt(i, j) - discrete[j]));
        }
    }
    for (std::uint32_t j = 0; j < n; ++j) {
        const double d = std::abs(discrete[j] - continuum(p.y(j)));
        double& worst = plateCharge(n, j) != 0.0 ? r.maxDiscreteVsContinuumOnPlates
                                                 : r.maxDiscreteVsContinuumOutside;
        worst = std::max(worst, d);
    }
    r.plateOffset = h * h / 8.0;
    r.fieldBetween = -continuum.slope(0.5 * (continuum.upperBottom() + continuum.lowerTop()));
    r.fieldOutside = -continuum.slope(0.5 * continuum.upperTop());
    if (profile != nullptr) fillProfile(p, discrete, continuum, *profile);
    return r;
}
