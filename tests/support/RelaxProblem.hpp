#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "field/Grid2D.hpp"
#include "field/Reference.hpp"

// A potential and a charge density on an nx by ny grid, with the solver's inputs: what the
// tests of the reference and of the fast relaxation sweep over.
struct RelaxProblem {
    std::uint32_t nx;
    std::uint32_t ny;
    double hx;
    double hy;
    std::vector<double> phi;
    std::vector<double> rho;
    RelaxConstants constants;
    // Metal nodes (x-major, not 0 = metal); empty for none.
    std::vector<std::uint8_t> held;

    RelaxProblem(std::uint32_t nx, std::uint32_t ny, double hx, double hy)
        : nx(nx),
          ny(ny),
          hx(hx),
          hy(hy),
          phi(std::size_t{nx} * ny, 0.0),
          rho(std::size_t{nx} * ny, 0.0),
          constants(relaxConstants(nx, ny, hx, hy)) {}
    // The program's grid: [0, nx/ny] x [0, 1].
    RelaxProblem(std::uint32_t nx, std::uint32_t ny) : RelaxProblem(domainGrid(nx, ny)) {}
    explicit RelaxProblem(const Grid2D& g) : RelaxProblem(g.nx, g.ny, g.hx, g.hy) {}

    double& at(std::uint32_t i, std::uint32_t j) { return phi[std::size_t{i} * ny + j]; }
    double& charge(std::uint32_t i, std::uint32_t j) { return rho[std::size_t{i} * ny + j]; }
    SweepInput input() { return input(phi); }
    // The same problem solved into another copy of the potential.
    SweepInput input(std::vector<double>& values) {
        return {values.data(),
                rho.data(),
                nx,
                ny,
                hx,
                hy,
                constants,
                held.empty() ? nullptr : held.data()};
    }

    // Metal: a block, a ring round the middle and scattered nodes, with edge bytes set too,
    // which the sweeps must not read as metal.
    void addMetal(unsigned seed) {
        held.assign(phi.size(), 0);
        std::mt19937 gen(seed);
        const auto put = [&](std::uint32_t i, std::uint32_t j) {
            if (i < nx && j < ny) held[std::size_t{i} * ny + j] = 1;
        };
        for (std::uint32_t i = nx / 8; i < nx / 4 + 1; ++i)
            for (std::uint32_t j = ny / 5; j < ny / 3 + 1; ++j)
                put(i, j);
        const double cx = nx / 2.0, cy = ny / 2.0, r = 0.3 * std::min(nx, ny);
        for (std::uint32_t i = 0; i < nx; ++i) {
            for (std::uint32_t j = 0; j < ny; ++j) {
                const double d = std::hypot(i - cx, j - cy);
                if (d >= r - 1.0 && d < r + 1.0) put(i, j);
            }
        }
        // Sparse (long runs between metal) for odd seeds, dense (short runs) for even ones.
        for (std::size_t k = 0; k < held.size() / (seed % 2 != 0 ? 40 : 5); ++k)
            held[gen() % held.size()] = static_cast<std::uint8_t>(1 + gen() % 255);
    }

    // Potential, then charge, uniform in -1 .. 1.
    void randomise(unsigned seed) {
        std::mt19937 gen(seed);
        std::uniform_real_distribution<double> u(-1.0, 1.0);
        for (double& v : phi)
            v = u(gen);
        for (double& v : rho)
            v = u(gen);
    }
};
