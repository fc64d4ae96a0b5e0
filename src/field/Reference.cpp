#include "field/Reference.hpp"

#include <cassert>
#include <cstddef>

namespace {

// Whether the sweep leaves node (i, j) as it is: a metal node.
bool isHeld(const SweepInput& in, std::ptrdiff_t i, std::ptrdiff_t j) {
    return in.held != nullptr && in.held[i * static_cast<std::ptrdiff_t>(in.ny) + j] != 0;
}

// Equal steps: phi + omega * 0.25 * (W + E + N + S - 4 phi + h^2 rho), the
// neighbours summed in this order, which defines the bits of the result.
void sweepEqualSteps(const SweepInput& in) {
    const std::ptrdiff_t ny = in.ny;
    const double h2 = in.hx * in.hx;
    const double factor = in.constants.omega * 0.25;
    for (std::ptrdiff_t i = 1; i + 1 < static_cast<std::ptrdiff_t>(in.nx); ++i) {
        double* p = in.phi + i * ny;
        const double* r = in.rho + i * ny;
        for (std::ptrdiff_t j = 1; j + 1 < ny; ++j) {
            if (isHeld(in, i, j)) continue;
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
    for (std::ptrdiff_t i = 1; i + 1 < static_cast<std::ptrdiff_t>(in.nx); ++i) {
        double* p = in.phi + i * ny;
        const double* r = in.rho + i * ny;
        for (std::ptrdiff_t j = 1; j + 1 < ny; ++j) {
            if (isHeld(in, i, j)) continue;
            const double across = (p[j + ny] + p[j - ny]) / hx2;
            const double along = (p[j - 1] + p[j + 1]) / hy2;
            p[j] = factor * (across + r[j] / divisor + along) + keep * p[j];
        }
    }
}

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

ValueRange valueRangeReference(const double* values, std::size_t n) {
    assert(n >= 1);
    ValueRange r{values[0], values[0]};
    for (std::size_t k = 1; k < n; ++k) {
        const double v = values[k];
        if (v > r.max) r.max = v;
        if (v < r.min) r.min = v;
    }
    return r;
}

void paintReference(const PaintJob& job, ColourMap map) {
    for (std::size_t i = 0; i < job.nx; ++i) {
        for (std::size_t j = 0; j < job.ny; ++j) {
            const sf::Color c = colourOf(job.values[i * job.ny + j], job.low, job.high, map);
            std::uint8_t* pixel = job.rgba + 4 * (j * job.nx + i);
            pixel[0] = c.r;
            pixel[1] = c.g;
            pixel[2] = c.b;
            pixel[3] = c.a;
        }
    }
}

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

GradientPair gradientAtReference(const double* src, std::uint32_t i, std::uint32_t j,
                                 std::uint32_t nx, std::uint32_t ny, double hx, double hy,
                                 double factor) {
    return {xComponent(src, i, j, nx, ny, hx, factor),
            yComponent(src + std::size_t{i} * ny, j, ny, hy, factor)};
}

double maxSquaredMagnitudeReference(const double* xy, std::size_t nodes) {
    double maxSq = 0.0;
    for (std::size_t k = 0; k < 2 * nodes; k += 2) {
        const double sq = xy[k] * xy[k] + xy[k + 1] * xy[k + 1];
        if (sq > maxSq) maxSq = sq;
    }
    return maxSq;
}
