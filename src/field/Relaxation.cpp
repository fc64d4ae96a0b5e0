#include "field/Relaxation.hpp"

#include <cmath>
#include <cstddef>

namespace {

constexpr double pi = 3.141592653589793;

// Equal steps: phi + omega * 0.25 * (W + E + N + S - 4 phi + h^2 rho), the
// neighbours summed in this order, which defines the bits of the result.
void sweepEqualSteps(const SweepInput& in) {
    const std::ptrdiff_t ny = in.ny;
    const double h2 = in.hx * in.hx;
    const double factor = in.constants.omega * 0.25;
    for (std::ptrdiff_t i = 1; i + 1 < std::ptrdiff_t{in.nx}; ++i) {
        double* p = in.phi + i * ny;
        const double* r = in.rho + i * ny;
        for (std::ptrdiff_t j = 1; j + 1 < ny; ++j) {
            const double phi = p[j];
            const double sum = p[j - ny] + p[j + ny] + p[j - 1] + p[j + 1] - 4.0 * phi + h2 * r[j];
            p[j] = phi + factor * sum;
        }
    }
}

// General steps: omega * stencilFactor * ((E + W) / hx^2 + rho / divisor +
// (N + S) / hy^2) + (1 - omega) * phi.
void sweepGeneralSteps(const SweepInput& in) {
    const std::ptrdiff_t ny = in.ny;
    const double hx2 = in.hx * in.hx;
    const double hy2 = in.hy * in.hy;
    const double factor = in.constants.omega * in.constants.stencilFactor;
    const double keep = 1.0 - in.constants.omega;
    const double divisor = in.constants.chargeDivisor;
    for (std::ptrdiff_t i = 1; i + 1 < std::ptrdiff_t{in.nx}; ++i) {
        double* p = in.phi + i * ny;
        const double* r = in.rho + i * ny;
        for (std::ptrdiff_t j = 1; j + 1 < ny; ++j) {
            const double across = (p[j + ny] + p[j - ny]) / hx2;
            const double along = (p[j - 1] + p[j + 1]) / hy2;
            p[j] = factor * (across + r[j] / divisor + along) + keep * p[j];
        }
    }
}

}  // namespace

RelaxConstants relaxConstants(std::uint32_t nx, std::uint32_t ny, double hx, double hy) {
    RelaxConstants c{};
    c.cosSum = std::cos(pi / static_cast<double>(ny)) + std::cos(pi / static_cast<double>(nx));
    const double cos2 = c.cosSum * c.cosSum;
    c.omega = (8.0 - std::sqrt(64.0 - 16.0 * cos2)) / cos2;
    c.stencilFactor = 1.0 / (2.0 / (hx * hx) + 2.0 / (hy * hy));
    c.chargeDivisor = 1.0;
    return c;
}

void sweepReference(const SweepInput& in) {
    // The equal-step form is chosen by exact comparison: steps that differ in
    // the last bit (and NaN steps) take the general form.
    if (in.hx == in.hy) {
        sweepEqualSteps(in);
    } else {
        sweepGeneralSteps(in);
    }
}

void relaxReference(const SweepInput& in, const BoundarySides& sides, std::uint32_t sweeps) {
    for (std::uint32_t s = 0; s < sweeps; ++s) {
        sweepReference(in);
        applyBoundaryConditions(in.phi, in.nx, in.ny, sides);
    }
}
