#pragma once

#include <cstdint>

// Constants of the over-relaxation, computed once from the grid.
struct RelaxConstants {
    double cosSum;
    double omega;
    double stencilFactor;
    double chargeDivisor;
};

RelaxConstants relaxConstants(std::uint32_t nx, std::uint32_t ny, double hx, double hy);

// Everything one sweep reads, as plain arrays and numbers: phi is updated in
// place, rho is the charge density, both x-major (node (i, j) at i * ny + j).
struct SweepInput {
    double* phi;
    const double* rho;
    std::uint32_t nx;
    std::uint32_t ny;
    double hx;
    double hy;
    RelaxConstants constants;
};
