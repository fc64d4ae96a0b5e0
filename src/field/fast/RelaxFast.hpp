#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "field/Boundaries.hpp"
#include "field/Relaxation.hpp"
#include "field/fast/FreeRuns.hpp"
#include "field/fast/SimdLevel.hpp"

// The working layout of the fast relaxation, kept between calls so that a
// frame allocates nothing once the first has sized it.
struct RelaxWorkspace {
    std::vector<double> phi;
    std::vector<double> charge;
    std::vector<std::ptrdiff_t> bases;
    FreeRunLayout freeRuns;
};

// Same contract and same bits as relaxReference: `sweeps` lexicographic
// Gauss-Seidel over-relaxation sweeps, the boundary conditions applied after
// each. The sweeps run along anti-diagonals in a working layout of their own,
// several at a time while the edges stay fixed; `level` picks the instruction
// set (it must be supported by the processor).
void relaxFast(const SweepInput& in, const BoundarySides& sides, std::uint32_t sweeps,
               RelaxWorkspace& workspace, SimdLevel level = bestSimdLevel());
