// The equipotential lines of a dipole's potential, relaxed from zero for a while as in the
// program's first seconds: the reference (every cell, every level) against the fast scan of
// each instruction set the processor runs. Plain arrays and no texture, so it needs no
// display and runs under node too. The potential is relaxed when a row first runs, so rows
// left out by a filter cost nothing.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "field/Grid2D.hpp"
#include "field/Reference.hpp"
#include "field/fast/RelaxFast.hpp"
#include "field/fast/SimdLevel.hpp"
#include "measure/ContourStep.hpp"
#include "measure/Contours.hpp"
#include "measure/fast/ContourFast.hpp"

namespace {

constexpr std::uint32_t sweeps = 600;

struct ContourCase {
    Grid2D grid;
    std::vector<double> phi;
    ContourJob job{};
    ContourWorkspace work;
    std::vector<ContourSegment> segments;

    ContourCase(std::uint32_t nx, std::uint32_t ny) : grid(domainGrid(nx, ny)) {}

    // Two discs of charge +-10 a quarter of the height apart about the middle, grounded sides,
    // as the dipole scenario lays them out.
    void prepare() {
        if (!phi.empty()) return;
        const std::uint32_t nx = grid.nx;
        const std::uint32_t ny = grid.ny;
        phi.assign(grid.nodeCount(), 0.0);
        std::vector<double> rho(grid.nodeCount(), 0.0);
        const auto t = static_cast<std::int64_t>(std::min(nx, ny) / 8);
        const std::int64_t r = 3 * t / 5;
        for (std::int64_t i = 0; i < nx; ++i) {
            for (std::int64_t j = 0; j < ny; ++j) {
                const std::int64_t dx = i - nx / 2;
                const std::int64_t up = j - (ny / 2 - t);
                const std::int64_t down = j - (ny / 2 + t);
                if (dx * dx + up * up <= r * r) rho[grid.index(i, j)] = 10.0;
                if (dx * dx + down * down <= r * r) rho[grid.index(i, j)] = -10.0;
            }
        }
        RelaxWorkspace workspace;
        const BoundarySides sides{};
        relaxFast({phi.data(), rho.data(), nx, ny, grid.hx, grid.hy,
                   relaxConstants(nx, ny, grid.hx, grid.hy)},
                  sides, sweeps, workspace);
        const ValueRange range = valueRangeReference(phi.data(), phi.size());
        job = {phi.data(), nx, ny, contourLevels(range, freshContourStep(range).value)};
    }
};

template <class Lines>
void add(const std::string& name, std::shared_ptr<ContourCase> c, Lines lines) {
    benchmark::RegisterBenchmark(name.c_str(),
                                 [c, lines](benchmark::State& state) {
                                     c->prepare();
                                     for (auto _ : state) {
                                         lines(*c);
                                         benchmark::DoNotOptimize(c->segments.data());
                                         benchmark::ClobberMemory();
                                     }
                                     state.counters["levels"] = c->job.levels.count();
                                     state.counters["segments"] = double(c->segments.size());
                                     state.counters["nodes/s"] = benchmark::Counter(
                                         double(c->grid.nodeCount()) * double(state.iterations()),
                                         benchmark::Counter::kIsRate);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void registerCase(std::uint32_t nx, std::uint32_t ny) {
    const std::string base = "contours/" + std::to_string(nx) + "x" + std::to_string(ny) + "/";
    auto c = std::make_shared<ContourCase>(nx, ny);
    add(base + "reference", c, [](ContourCase& s) { contoursReference(s.job, s.segments); });
    for (const SimdLevel level : supportedSimdLevels()) {
        add(base + simdLevelName(level), c,
            [level](ContourCase& s) { contoursFast(s.job, s.work, s.segments, level); });
    }
}

}  // namespace

void registerContourBenchmarks() {
    registerCase(400, 400);
    registerCase(1920, 1080);
}
