// relax(10) on the program's grid shapes, fixed and left/right periodic sides:
// the straightforward kernel against the fast one (the processor's best
// instruction set) and each instruction set it supports.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "field/Axis.hpp"
#include "field/Grid2D.hpp"
#include "field/Reference.hpp"
#include "field/fast/RelaxFast.hpp"
#include "field/fast/SimdLevel.hpp"

namespace {

constexpr std::uint32_t sweeps = 10;

// A noisy charge on the domain main builds ([0, nx/ny] x [0, 1]); the edges
// hold their fixed values, as they do between frames.
struct RelaxCase {
    Grid2D grid;
    std::vector<double> phi;
    std::vector<double> rho;
    BoundarySides sides{};
    RelaxWorkspace workspace;

    RelaxCase(std::uint32_t nx, std::uint32_t ny, bool periodic)
        : grid(domainGrid(nx, ny)), phi(grid.nodeCount(), 0.0), rho(grid.nodeCount()) {
        std::mt19937 gen(1);
        std::uniform_real_distribution<double> u(-1.0, 1.0);
        for (double& v : rho)
            v = u(gen);
        if (periodic) sides[Left].kind = sides[Right].kind = Periodic;
        applyBoundaryConditions(phi.data(), nx, ny, sides);
    }

    SweepInput input() {
        return {phi.data(),
                rho.data(),
                grid.nx,
                grid.ny,
                grid.hx,
                grid.hy,
                relaxConstants(grid.nx, grid.ny, grid.hx, grid.hy)};
    }
};

void run(benchmark::State& state, RelaxCase& c, const std::function<void(RelaxCase&)>& relax) {
    for (auto _ : state) {
        relax(c);
        benchmark::DoNotOptimize(c.phi.data());
        benchmark::ClobberMemory();
    }
    const double updates = double(sweeps) * (c.grid.nx - 2) * (c.grid.ny - 2);
    state.counters["updates/s"] =
        benchmark::Counter(updates * double(state.iterations()), benchmark::Counter::kIsRate);
}

void registerCase(std::uint32_t nx, std::uint32_t ny, bool periodic) {
    const std::string base = "relax/" + std::to_string(nx) + "x" + std::to_string(ny) +
                             (periodic ? "/periodic/" : "/fixed/");
    auto c = std::make_shared<RelaxCase>(nx, ny, periodic);
    const auto add = [&](const std::string& variant, std::function<void(RelaxCase&)> relax) {
        benchmark::RegisterBenchmark((base + variant).c_str(),
                                     [c, relax](benchmark::State& s) { run(s, *c, relax); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    add("reference", [](RelaxCase& r) { relaxReference(r.input(), r.sides, sweeps); });
    add("fast", [](RelaxCase& r) { relaxFast(r.input(), r.sides, sweeps, r.workspace); });
    for (const SimdLevel level : supportedSimdLevels()) {
        add(simdLevelName(level),
            [level](RelaxCase& r) { relaxFast(r.input(), r.sides, sweeps, r.workspace, level); });
    }
}

}  // namespace

void registerRelaxBenchmarks() {
    for (const bool periodic : {false, true}) {
        registerCase(400, 400, periodic);    // equal steps
        registerCase(1000, 1000, periodic);  // equal steps
        registerCase(1920, 1080, periodic);  // steps differ in the last bit: general form
    }
}
