#pragma once

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
        return {values.data(), rho.data(), nx, ny, hx, hy, constants};
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
