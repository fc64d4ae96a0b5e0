#pragma once

#include "field/fast/DiagonalLayout.hpp"
#include "field/fast/FreeRuns.hpp"
#include "field/fast/SimdLevel.hpp"
#include "field/fast/StencilRules.hpp"

// Everything the diagonal kernels work on: the x-major potential and charge,
// the slots that hold diagonals in the working layout, and the update form.
struct DiagonalJob {
    DiagonalGeometry grid;
    DiagonalSlots slots;
    double* phi;
    const double* rho;
    // Whether a pass copies the diagonals in from the x-major arrays and the
    // final interior back; a whole-grid layout keeps them between passes.
    bool loadSlots;
    bool storeSlots;
    bool equalSteps;
    // Null while no node is metal: every interior node is then updated.
    const FreeRuns* free;
    EqualStepRule equal;
    GeneralStepRule general;
};

// Diagonals are copied between the x-major arrays and the slots this many at a
// time, so that one column contributes a run of neighbouring values (one page,
// one or two cache lines) instead of a single value per diagonal.
inline constexpr std::ptrdiff_t diagonalBatch = 8;

// Slots a chunk of `sweeps` sweeps in flight needs in its ring: the 2 sweeps + 1
// diagonals they read, a batch loaded ahead and a batch waiting to be stored.
inline std::ptrdiff_t ringSlots(int sweeps) {
    return 2 * sweeps + 2 * diagonalBatch;
}

// One instruction set's build of the pass: `sweeps` sweeps with the edges held
// as they are, sweep s + 1 two diagonals behind sweep s. With a ring of
// ringSlots(sweeps) slots the diagonals stream from the x-major potential and
// back; with a slot per diagonal the pass may keep them there.
using DiagonalKernel = void (*)(const DiagonalJob& job, int sweeps);

// The build for `level`, which the processor must support.
DiagonalKernel diagonalKernel(SimdLevel level);
