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
// Where `held` is given, an interior node whose byte is not 0 is metal: the
// sweeps leave its potential as it is, and its neighbours read that value.
// `heldVersion` names the mask's content for the fast path's cached layout of
// it: it must change whenever the mask does, and 0 means unknown.
struct SweepInput {
    double* phi;
    const double* rho;
    std::uint32_t nx;
    std::uint32_t ny;
    double hx;
    double hy;
    RelaxConstants constants;
    const std::uint8_t* held = nullptr;
    std::uint64_t heldVersion = 0;
};
