#pragma once

// The diagonal kernels as templates over the lane type. Included only by
// RelaxBuilds.cpp, which builds them once per instruction set; every
// function here is forced inline so that it is compiled for the instruction
// set of the entry point that uses it.

#include <algorithm>
#include <cassert>
#include <cstddef>

#include "field/fast/Lanes.hpp"
#include "field/fast/RelaxKernel.hpp"

namespace diagonal {

using std::ptrdiff_t;

// One run of n independent nodes: cur is written, the other runs (slots of
// neighbouring diagonals and the charge) are only read, hence restrict.
template <class V, class Rule>
[[gnu::always_inline]] inline void updateRun(double* __restrict cur, const double* __restrict north,
                                             const double* __restrict south,
                                             const double* __restrict charge, ptrdiff_t n,
                                             const Rule& rule) {
    constexpr int w = laneCount<V>;
    ptrdiff_t m = 0;
    for (; m + w <= n; m += w) {
        V phi, west, east, nv, sv, q;
        loadLanes(phi, cur + m);
        loadLanes(west, north + m - 1);
        loadLanes(east, south + m + 1);
        loadLanes(nv, north + m);
        loadLanes(sv, south + m);
        loadLanes(q, charge + m);
        storeLanes(cur + m, rule.update(phi, west, east, nv, sv, q));
    }
    for (; m < n; ++m) {
        cur[m] = rule.update(cur[m], north[m - 1], south[m + 1], north[m], south[m], charge[m]);
    }
}

// Updates the interior nodes of diagonal d: every one reads only diagonals
// d - 1 (north and west, already new) and d + 1 (south and east, still old).
template <class V, class Rule>
[[gnu::always_inline]] inline void updateDiagonal(const DiagonalJob& job, const Rule& rule,
                                                  ptrdiff_t d) {
    const DiagonalGeometry& g = job.grid;
    const DiagonalSlots& s = job.slots;
    const ptrdiff_t lo = g.firstInterior(d);
    const ptrdiff_t n = g.lastInterior(d) - lo + 1;
    // West is the node before north, east the node after south.
    updateRun<V>(s.phi + (s.base(d) + lo), s.phi + (s.base(d - 1) + lo),
                 s.phi + (s.base(d + 1) + lo), s.charge + (s.base(d) + lo), n, rule);
}

// The same where some nodes are metal: only the runs of free nodes between
// them, or the whole diagonal with the metal's values put back, so the metal
// nodes keep their values and their neighbours read them.
template <class V, class Rule>
[[gnu::always_inline]] inline void updateFreeRuns(const DiagonalJob& job, const Rule& rule,
                                                  ptrdiff_t d) {
    const FreeRuns& free = *job.free;
    if (free.whole[d] != 0) {
        // Scattered metal: the whole diagonal, then the metal's own values back.
        const DiagonalSlots& s = job.slots;
        double* cur = s.phi + s.base(d);
        const ptrdiff_t first = free.heldStart[d];
        const ptrdiff_t count = free.heldStart[d + 1] - first;
        for (ptrdiff_t k = 0; k < count; ++k)
            free.saved[k] = cur[free.held[first + k]];
        updateDiagonal<V>(job, rule, d);
        for (ptrdiff_t k = 0; k < count; ++k)
            cur[free.held[first + k]] = free.saved[k];
        return;
    }
    const DiagonalSlots& s = job.slots;
    double* cur = s.phi + s.base(d);
    const double* north = s.phi + s.base(d - 1);
    const double* south = s.phi + s.base(d + 1);
    const double* charge = s.charge + s.base(d);
    for (ptrdiff_t k = free.start[d]; k < free.start[d + 1]; ++k) {
        const NodeRun run = free.runs[k];
        updateRun<V>(cur + run.lo, north + run.lo, south + run.lo, charge + run.lo, run.n, rule);
    }
}

// Slot bases of diagonals a .. b (at most diagonalBatch of them).
struct BatchBases {
    ptrdiff_t a;
    ptrdiff_t of[diagonalBatch];

    BatchBases(const DiagonalJob& job, ptrdiff_t first, ptrdiff_t last) : a(first), of{} {
        assert(last - first < diagonalBatch);
        for (ptrdiff_t d = first; d <= last; ++d)
            of[d - first] = job.slots.base(d);
    }
    ptrdiff_t node(ptrdiff_t i, ptrdiff_t j) const { return of[i + j - a] + i; }
};

// Each column is read a batch at a time, a run that moves down the column by
// one batch per pass over all columns: far too many streams for the hardware
// to follow, so the line two batches ahead is requested in advance.
constexpr ptrdiff_t prefetchAhead = 2 * diagonalBatch;

#if defined(__wasm__)
// WebAssembly has no prefetch (__builtin_prefetch compiles to nothing), so a
// loop of plain loads asks for the lines instead: one node of diagonal d in
// every column of the potential and of the charge, d as far ahead as the
// prefetches elsewhere. Its loads wait for nothing, so many misses are in
// flight at once, where the copies take them a column at a time. The sum is
// kept only so that the loads stay.
[[gnu::always_inline]] inline void touchDiagonal(const DiagonalJob& job, ptrdiff_t d) {
    const DiagonalGeometry& g = job.grid;
    if (d >= g.diagonalCount()) return;
    const ptrdiff_t i0 = g.first(d);
    const ptrdiff_t n = g.last(d) - i0 + 1;
    // Node (i, d - i) of the x-major arrays: one step of ny - 1 per column.
    const ptrdiff_t step = g.ny - 1;
    const double* phi = job.phi + i0 * g.ny + (d - i0);
    const double* rho = job.rho + i0 * g.ny + (d - i0);
    double seen = 0.0;
    for (ptrdiff_t k = 0; k < n; ++k)
        seen += phi[k * step] + rho[k * step];
    volatile double sink = seen;
    (void)sink;
}
#endif

// Copies every node of diagonals a .. b from the x-major potential, column by
// column.
[[gnu::always_inline]] inline void loadNodes(const DiagonalJob& job, ptrdiff_t a, ptrdiff_t b) {
    const DiagonalGeometry& g = job.grid;
    const BatchBases bases(job, a, b);
    for (ptrdiff_t i = g.first(a); i <= g.last(b); ++i) {
        const double* column = job.phi + i * g.ny;
        const ptrdiff_t j1 = std::min(b - i, g.ny - 1);
        __builtin_prefetch(column + std::min(j1 + prefetchAhead, g.ny - 1));
        for (ptrdiff_t j = std::max<ptrdiff_t>(a - i, 0); j <= j1; ++j) {
            job.slots.phi[bases.node(i, j)] = column[j];
        }
    }
}

// The charge term of the interior nodes of diagonals a .. b. Full runs of a
// column are transformed lanes at a time: the division of the general form is
// the costly part of this copy.
template <class V, class Rule>
[[gnu::always_inline]] inline void loadCharge(const DiagonalJob& job, const Rule& rule, ptrdiff_t a,
                                              ptrdiff_t b) {
    const DiagonalGeometry& g = job.grid;
    const BatchBases bases(job, a, b);
    const ptrdiff_t i1 = std::min(g.nx - 2, g.last(b));
    for (ptrdiff_t i = std::max<ptrdiff_t>(1, g.first(a)); i <= i1; ++i) {
        const double* column = job.rho + i * g.ny;
        const ptrdiff_t j0 = std::max<ptrdiff_t>(a - i, 1);
        const ptrdiff_t j1 = std::min(b - i, g.ny - 2);
        __builtin_prefetch(column + std::min(j1 + prefetchAhead, g.ny - 1));
        if (j1 - j0 + 1 == diagonalBatch) {
            double run[diagonalBatch];
            for (ptrdiff_t m = 0; m < diagonalBatch; m += laneCount<V>) {
                V r;
                loadLanes(r, column + j0 + m);
                storeLanes(run + m, rule.charge(r));
            }
            for (ptrdiff_t m = 0; m < diagonalBatch; ++m) {
                job.slots.charge[bases.node(i, j0 + m)] = run[m];
            }
        } else {
            for (ptrdiff_t j = j0; j <= j1; ++j) {
                job.slots.charge[bases.node(i, j)] = rule.charge(column[j]);
            }
        }
    }
}

// Writes the interior nodes of diagonals a .. b back into the x-major potential.
[[gnu::always_inline]] inline void storeNodes(const DiagonalJob& job, ptrdiff_t a, ptrdiff_t b) {
    const DiagonalGeometry& g = job.grid;
    const BatchBases bases(job, a, b);
    const ptrdiff_t i1 = std::min(g.nx - 2, g.last(b));
    for (ptrdiff_t i = std::max<ptrdiff_t>(1, g.first(a)); i <= i1; ++i) {
        double* column = job.phi + i * g.ny;
        const ptrdiff_t j1 = std::min(b - i, g.ny - 2);
        for (ptrdiff_t j = std::max<ptrdiff_t>(a - i, 1); j <= j1; ++j) {
            column[j] = job.slots.phi[bases.node(i, j)];
        }
    }
}

// Several sweeps in flight: sweep s updates diagonal d = t - 2 s at step t. It
// reads diagonal d - 1, which sweep s itself finished at step t - 1, and
// diagonal d + 1, which sweep s - 1 finished at step t - 1 and sweep s reaches
// only at step t + 1, so it holds exactly the previous sweep's values. The
// diagonals of one step are two apart and read only the ones in between, so
// they are independent of each other. Only the edges are shared by all sweeps
// in flight, which is why the caller runs chunks only while they stay fixed.
// Diagonals are loaded a batch ahead of the first sweep; after step t the last
// sweep no longer reads diagonal t - 2 sweeps + 1, which is final and goes
// back to the x-major array in batches. Either copy can be left out when the
// slots hold the whole grid between passes.
template <class V, bool WithMetal, class Rule>
[[gnu::always_inline]] inline void relaxChunk(const DiagonalJob& job, const Rule& rule,
                                              int sweeps) {
    const DiagonalGeometry& g = job.grid;
    const ptrdiff_t lastDiagonal = g.lastInteriorDiagonal();
    const ptrdiff_t lastRead = lastDiagonal + 1;
    const ptrdiff_t lastStep = lastDiagonal + 2 * (sweeps - 1);
    ptrdiff_t loaded = job.loadSlots ? 0 : lastRead;  // no sweep reads corner diagonal 0
    ptrdiff_t stored = job.storeSlots ? 1 : lastDiagonal;
    for (ptrdiff_t t = 2; t <= lastStep; ++t) {
        if (loaded < t + 1 && loaded < lastRead) {
            const ptrdiff_t b = std::min(loaded + diagonalBatch, lastRead);
#if defined(__wasm__)
            touchDiagonal(job, b + prefetchAhead);
#endif
            loadNodes(job, loaded + 1, b);
            loadCharge<V>(job, rule, loaded + 1, b);
            loaded = b;
        }
        for (ptrdiff_t s = 0; s < sweeps && t - 2 * s >= 2; ++s) {
            if (t - 2 * s > lastDiagonal) continue;
            if constexpr (WithMetal) {
                updateFreeRuns<V>(job, rule, t - 2 * s);
            } else {
                updateDiagonal<V>(job, rule, t - 2 * s);
            }
        }
        const ptrdiff_t final = std::min<ptrdiff_t>(t - 2 * sweeps + 1, lastDiagonal);
        if (final - stored >= diagonalBatch) {
            storeNodes(job, stored + 1, stored + diagonalBatch);
            stored += diagonalBatch;
        }
    }
    for (; stored < lastDiagonal; stored += diagonalBatch) {
        storeNodes(job, stored + 1, std::min(stored + diagonalBatch, lastDiagonal));
    }
}

template <class V, bool WithMetal>
[[gnu::always_inline]] inline void relaxChunkOfForm(const DiagonalJob& job, int sweeps) {
    if (job.equalSteps) {
        relaxChunk<V, WithMetal>(job, job.equal, sweeps);
    } else {
        relaxChunk<V, WithMetal>(job, job.general, sweeps);
    }
}

// The entry point: picks the update form, and whether any node is metal, once
// per call, so a grid without metal runs the loop it always ran.
template <class V>
[[gnu::always_inline]] inline void relaxChunkAnyForm(const DiagonalJob& job, int sweeps) {
    if (job.free != nullptr) {
        relaxChunkOfForm<V, true>(job, sweeps);
    } else {
        relaxChunkOfForm<V, false>(job, sweeps);
    }
}

}  // namespace diagonal
