#pragma once

#include <cstdint>
#include <vector>

#include "field/Boundaries.hpp"
#include "field/Grid2D.hpp"
#include "field/Reference.hpp"

// A potential and a charge density on the program's own domain, x in [0, nx/ny), y in [0, 1),
// both steps 1/ny, stored x-major like every field of the program.
struct Problem {
    Grid2D grid;
    std::vector<double> phi;
    std::vector<double> rho;
    BoundarySides sides{};
    // False: the sweeps leave the edge nodes alone, so values written there once act as
    // Dirichlet data that no side record could express (a side holds one value only).
    bool applySides = true;

    Problem(std::uint32_t nx, std::uint32_t ny);

    double x(std::uint32_t i) const { return grid.xmin + i * grid.hx; }
    double y(std::uint32_t j) const { return grid.ymin + j * grid.hy; }
    double& phiAt(std::uint32_t i, std::uint32_t j) { return phi[grid.index(i, j)]; }
    double& rhoAt(std::uint32_t i, std::uint32_t j) { return rho[grid.index(i, j)]; }

    // The solver's input with the program's constants, or with another over-relaxation factor.
    SweepInput sweepInput() {
        return sweepInput(relaxConstants(grid.nx, grid.ny, grid.hx, grid.hy).omega);
    }
    SweepInput sweepInput(double omega);
};

// Euclidean norm over the interior nodes of rho + (discrete Laplacian of phi): zero for the
// converged potential.
double residualNorm(const Problem& p);

struct ResidualPoint {
    std::uint64_t sweep;
    double relative;  // residual norm over the norm before the first sweep
};

struct RelaxRun {
    std::uint64_t sweeps = 0;
    double relative = 1.0;
    bool reached = false;
    std::vector<ResidualPoint> history;  // thinned out to about 100 points a decade of sweeps
};

// Sweeps as the program does (sweep, then the boundary conditions) until the residual has
// fallen below `tolerance` times its first value, or `maxSweeps` have been made. The residual
// is looked at every `checkEvery` sweeps; the block in which it first falls below the tolerance
// is made again sweep by sweep, so the count is exact whatever `checkEvery` is. With
// `stallChecks` > 0 the run also stops once that many checks in a row found no new smallest
// residual: the residual has reached its rounding floor.
RelaxRun relaxUntil(Problem& p, double omega, double tolerance, std::uint64_t maxSweeps,
                    std::uint32_t checkEvery, std::uint32_t stallChecks = 0);
