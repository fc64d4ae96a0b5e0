#include "field/fast/RelaxFast.hpp"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "field/Reference.hpp"
#include "field/fast/RelaxKernel.hpp"

namespace {

using std::ptrdiff_t;

// The ring of a chunk should stay in the second-level cache (1 MiB per core
// here), where the sweeps in flight find the diagonals the previous sweep left
// behind. More sweeps per chunk save passes over the x-major arrays; a ring
// that spills into the shared cache makes every sweep slower.
constexpr ptrdiff_t ringBudgetBytes = 1024 * 1024;

DiagonalJob makeJob(const SweepInput& in, RelaxWorkspace& ws) {
    const double omega = in.constants.omega;
    DiagonalJob job{};
    job.grid = {static_cast<ptrdiff_t>(in.nx), static_cast<ptrdiff_t>(in.ny)};
    job.phi = in.phi;
    job.rho = in.rho;
    if (in.held != nullptr) job.free = &ws.freeRuns.of(in.held, in.heldVersion, job.grid);
    // The same comparison and the same constants as the reference sweep.
    job.equalSteps = in.hx == in.hy;
    job.equal = {omega * 0.25, in.hx * in.hx};
    job.general = {omega * in.constants.stencilFactor, 1.0 - omega, in.hx * in.hx, in.hy * in.hy,
                   in.constants.chargeDivisor};
    return job;
}

// Slot length: the longest diagonal, rounded to whole cache lines and made an
// odd number of them so that neighbouring slots fall into different cache sets.
ptrdiff_t slotStride(const DiagonalGeometry& g) {
    ptrdiff_t stride = (g.longest() + 7) / 8 * 8;
    if ((stride / 8) % 2 == 0) stride += 8;
    return stride;
}

// A ring of `count` slots of the longest diagonal's length: diagonal d takes
// slot d mod count.
void useRing(DiagonalJob& job, RelaxWorkspace& ws, ptrdiff_t count) {
    const DiagonalGeometry& g = job.grid;
    const ptrdiff_t stride = slotStride(g);
    const auto size = static_cast<std::size_t>(count * stride);
    if (ws.phi.size() < size) ws.phi.resize(size);
    if (ws.charge.size() < size) ws.charge.resize(size);
    ws.bases.resize(static_cast<std::size_t>(g.diagonalCount()));
    for (ptrdiff_t d = 0; d < g.diagonalCount(); ++d) {
        ws.bases[d] = d % count * stride - g.first(d);
    }
    job.slots = {ws.phi.data(), ws.charge.data(), ws.bases.data()};
}

// The whole grid, the diagonals one after another: no more room than the
// x-major arrays take.
void useWholeGrid(DiagonalJob& job, RelaxWorkspace& ws) {
    const DiagonalGeometry& g = job.grid;
    const auto size = static_cast<std::size_t>(g.nx * g.ny);
    if (ws.phi.size() < size) ws.phi.resize(size);
    if (ws.charge.size() < size) ws.charge.resize(size);
    ws.bases.resize(static_cast<std::size_t>(g.diagonalCount()));
    ptrdiff_t start = 0;
    for (ptrdiff_t d = 0; d < g.diagonalCount(); ++d) {
        ws.bases[d] = start - g.first(d);
        start += g.last(d) - g.first(d) + 1;
    }
    job.slots = {ws.phi.data(), ws.charge.data(), ws.bases.data()};
}

// Periodic copies read interior lines, so the edges change with every sweep
// and each sweep must end before the next begins.
bool edgesMoveBetweenSweeps(const BoundarySides& sides) {
    return sides[Left].kind == Periodic || sides[Top].kind == Periodic;
}

bool allHold(const double* p, ptrdiff_t n, ptrdiff_t step, double value) {
    for (ptrdiff_t k = 0; k < n; ++k) {
        if (std::memcmp(p + k * step, &value, sizeof value) != 0) return false;
    }
    return true;
}

// Whether the edge nodes a sweep reads already hold what applying the fixed
// sides would write, bit for bit: then every sweep sees the same edges.
bool edgesSettled(const SweepInput& in, const BoundarySides& sides) {
    const ptrdiff_t nx = in.nx;
    const ptrdiff_t ny = in.ny;
    const auto holds = [&](int side, const double* p, ptrdiff_t n, ptrdiff_t step) {
        return sides[side].kind != Fixed || allHold(p, n, step, sides[side].value);
    };
    return holds(Left, in.phi + 1, ny - 2, 1) &&
           holds(Right, in.phi + (nx - 1) * ny + 1, ny - 2, 1) &&
           holds(Top, in.phi + ny, nx - 2, ny) && holds(Bottom, in.phi + ny + (ny - 1), nx - 2, ny);
}

// Sweeps per chunk: as many as the ring budget allows, spread evenly.
int chunkSweeps(const DiagonalGeometry& g, std::uint32_t remaining) {
    const ptrdiff_t slotBytes = 2 * slotStride(g) * static_cast<ptrdiff_t>(sizeof(double));
    const ptrdiff_t fit = (ringBudgetBytes / slotBytes - 2 * diagonalBatch) / 2;
    const ptrdiff_t most = std::max<ptrdiff_t>(fit, 1);
    const ptrdiff_t chunks = (static_cast<ptrdiff_t>(remaining) + most - 1) / most;
    return static_cast<int>((static_cast<ptrdiff_t>(remaining) + chunks - 1) / chunks);
}

void runChunk(DiagonalJob& job, RelaxWorkspace& ws, DiagonalKernel kernel, int sweeps) {
    useRing(job, ws, ringSlots(sweeps));
    job.loadSlots = job.storeSlots = true;
    kernel(job, sweeps);
}

void relaxFixedEdges(const SweepInput& in, const BoundarySides& sides, std::uint32_t sweeps,
                     RelaxWorkspace& ws, DiagonalKernel kernel) {
    DiagonalJob job = makeJob(in, ws);
    std::uint32_t done = 0;
    if (!edgesSettled(in, sides)) {
        // The first sweep still sees the edges as they were; later ones see
        // the fixed values.
        runChunk(job, ws, kernel, 1);
        applyBoundaryConditions(in.phi, in.nx, in.ny, sides);
        done = 1;
    }
    while (done < sweeps) {
        const int chunk = chunkSweeps(job.grid, sweeps - done);
        runChunk(job, ws, kernel, chunk);
        done += static_cast<std::uint32_t>(chunk);
    }
    // Sets the corners too, as the reference's last application does.
    applyBoundaryConditions(in.phi, in.nx, in.ny, sides);
}

// Copies the lines the periodic copies read (columns 1 and nx - 2, rows 1 and
// ny - 2) to the x-major array, applies the boundaries there with the
// reference code, and copies the edges back into the slots.
void syncEdges(const DiagonalJob& job, const BoundarySides& sides) {
    const DiagonalGeometry& g = job.grid;
    const DiagonalSlots& s = job.slots;
    double* phi = job.phi;
    const auto toGrid = [&](ptrdiff_t i, ptrdiff_t j) { phi[i * g.ny + j] = s.phi[s.node(i, j)]; };
    const auto toSlots = [&](ptrdiff_t i, ptrdiff_t j) { s.phi[s.node(i, j)] = phi[i * g.ny + j]; };
    for (ptrdiff_t j = 1; j + 1 < g.ny; ++j) {
        toGrid(1, j);
        toGrid(g.nx - 2, j);
    }
    for (ptrdiff_t i = 1; i + 1 < g.nx; ++i) {
        toGrid(i, 1);
        toGrid(i, g.ny - 2);
    }
    applyBoundaryConditions(phi, static_cast<std::uint32_t>(g.nx), static_cast<std::uint32_t>(g.ny),
                            sides);
    for (ptrdiff_t j = 0; j < g.ny; ++j) {
        toSlots(0, j);
        toSlots(g.nx - 1, j);
    }
    for (ptrdiff_t i = 0; i < g.nx; ++i) {
        toSlots(i, 0);
        toSlots(i, g.ny - 1);
    }
}

// Periodic sides: the whole grid in the working layout, one sweep at a time;
// the first sweep loads the diagonals as it goes and the last stores them.
void relaxMovingEdges(const SweepInput& in, const BoundarySides& sides, std::uint32_t sweeps,
                      RelaxWorkspace& ws, DiagonalKernel kernel) {
    DiagonalJob job = makeJob(in, ws);
    useWholeGrid(job, ws);
    for (std::uint32_t s = 0; s < sweeps; ++s) {
        job.loadSlots = s == 0;
        job.storeSlots = s + 1 == sweeps;
        kernel(job, 1);
        if (job.storeSlots) {
            applyBoundaryConditions(in.phi, in.nx, in.ny, sides);
        } else {
            syncEdges(job, sides);
        }
    }
}

}  // namespace

void relaxFast(const SweepInput& in, const BoundarySides& sides, std::uint32_t sweeps,
               RelaxWorkspace& workspace, SimdLevel level) {
    if (sweeps == 0) return;
    if (in.nx < 3 || in.ny < 3) {
        // No interior node: the sweeps change nothing and only the boundary
        // writes remain, which the reference does at no cost.
        relaxReference(in, sides, sweeps);
        return;
    }
    const DiagonalKernel kernel = diagonalKernel(level);
    if (edgesMoveBetweenSweeps(sides)) {
        relaxMovingEdges(in, sides, sweeps, workspace, kernel);
    } else {
        relaxFixedEdges(in, sides, sweeps, workspace, kernel);
    }
}
