#pragma once

#include <cstdint>
#include <vector>

#include "Problem.hpp"

// (a) The "Infinite capacitor" scenario against the exact solution of its one-dimensional
// discrete problem and against the continuum potential of two uniformly charged slabs.
struct CapacitorResult {
    std::uint32_t n;
    std::uint64_t sweeps;
    double relativeResidual;
    double maxSolverVsDiscrete;            // converged 2-D solver against the tridiagonal solve
    double maxDiscreteVsContinuumOutside;  // nodes between and outside the plates
    double maxDiscreteVsContinuumOnPlates;
    double plateOffset;   // h^2 / 8, the offset expected on the plate nodes
    double fieldBetween;  // slope of the continuum potential between the plates
    double fieldOutside;  // and above the upper plate
};

struct CapacitorProfile {
    std::vector<double> y;
    std::vector<double> solver;      // one column of the converged 2-D potential
    std::vector<double> discrete;    // the tridiagonal solve
    std::vector<double> continuumY;  // the continuum potential, finely sampled
    std::vector<double> continuum;
};

CapacitorResult capacitorStudy(std::uint32_t n, CapacitorProfile* profile);

// (b) A uniformly charged disc and a smooth bump of charge against their analytic potentials,
// with those potentials as Dirichlet values on the box's edges.
struct DiscResult {
    std::uint32_t n;
    double h;
    std::uint64_t sweeps;
    std::uint64_t discNodes;   // nodes the hard stamp fills
    double discNodesExpected;  // pi R^2 / h^2
    double discMax;            // max |phi - exact| over the grid
    double discRms;
    double discMaxSameCharge;  // against a disc of the radius that holds the stamped charge
    double smoothMax;
    double smoothRms;
};

DiscResult discStudy(std::uint32_t n);

// (c) Sweeps to a relative residual on an N x N grounded box holding a charged disc, with the
// program's over-relaxation factor and with plain Gauss-Seidel (omega = 1).
struct SweepCountResult {
    std::uint32_t n;
    double omega;
    double tolerance;
    std::uint64_t sorSweeps;
    double sorPredicted;         // from the spectral radius of SOR with this omega
    double sorOptimalPredicted;  // with the optimal omega, 1 - 2 pi / N approximately
    double sorMeasuredRate;      // residual reduction per sweep near the end
    double sorTheoryRate;
    std::uint64_t gsSweeps;  // measured, or extrapolated when gsCapped
    bool gsCapped;
    std::uint64_t gsCap;
    double gsPredicted;
    double gsMeasuredRate;
    double gsTheoryRate;
    std::vector<ResidualPoint> sorHistory;
    std::vector<ResidualPoint> gsHistory;
};

SweepCountResult sweepCountStudy(std::uint32_t n, double tolerance, std::uint64_t gsCap);
