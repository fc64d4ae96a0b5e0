// relax(10) on the program's grid shapes, fixed and left/right periodic sides:
// the straightforward kernel against the fast one (the processor's best
// instruction set) and each instruction set it supports. With metal: a tenth
// of the nodes held, as a painter would lay it out (two plates and a ring), on
// every level; and a tenth scattered node by node, the worst layout for the
// runs between metal, on the best level.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
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
enum class Metal { None, Shapes, Scattered };

struct RelaxCase {
    Grid2D grid;
    std::vector<double> phi;
    std::vector<double> rho;
    std::vector<std::uint8_t> held;
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

    // Plates a 32nd of the height thick across 80 % of the width a quarter from the top and
    // the bottom (5 %), and a ring of radius ny / 4 round the centre as wide as makes another
    // 5 %; or nodes picked at random until a tenth are metal.
    void addMetal(Metal kind) {
        const std::uint32_t nx = grid.nx, ny = grid.ny;
        held.assign(grid.nodeCount(), 0);
        std::mt19937 gen(3);
        const std::size_t wanted = grid.nodeCount() / 10;
        const double r = ny / 4.0;
        const double width = 0.05 * nx * ny / (2.0 * 3.141592653589793 * r);
        for (std::uint32_t i = 1; i + 1 < nx; ++i) {
            for (std::uint32_t j = 1; j + 1 < ny && kind == Metal::Shapes; ++j) {
                const bool across = i >= nx / 10 && i < nx - nx / 10;
                const bool plate = (j >= ny / 4 && j < ny / 4 + ny / 32) ||
                                   (j >= 3 * ny / 4 && j < 3 * ny / 4 + ny / 32);
                const double d = std::hypot(i - nx / 2.0, j - ny / 2.0);
                if ((across && plate) || std::abs(d - r) < width / 2.0) held[grid.index(i, j)] = 1;
            }
        }
        for (std::size_t n = 0; kind == Metal::Scattered && n < wanted;) {
            const std::uint32_t i = 1 + gen() % (nx - 2), j = 1 + gen() % (ny - 2);
            if (held[grid.index(i, j)] == 0) ++n;
            held[grid.index(i, j)] = 1;
        }
    }

    SweepInput input() {
        return {phi.data(),
                rho.data(),
                grid.nx,
                grid.ny,
                grid.hx,
                grid.hy,
                relaxConstants(grid.nx, grid.ny, grid.hx, grid.hy),
                held.empty() ? nullptr : held.data(),
                1};  // the mask never changes: its layout is cached, as between frames
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
    if (!c.held.empty()) {
        state.counters["metal"] = double(std::count(c.held.begin(), c.held.end(), 1)) /
                                  double(c.held.size());
    }
}

void registerCase(std::uint32_t nx, std::uint32_t ny, bool periodic, Metal metal = Metal::None) {
    const char* const layouts[] = {"", "metal/", "scattered metal/"};
    const std::string base = "relax/" + std::to_string(nx) + "x" + std::to_string(ny) +
                             (periodic ? "/periodic/" : "/fixed/") +
                             layouts[static_cast<int>(metal)];
    auto c = std::make_shared<RelaxCase>(nx, ny, periodic);
    if (metal != Metal::None) c->addMetal(metal);
    const auto add = [&](const std::string& variant, std::function<void(RelaxCase&)> relax) {
        benchmark::RegisterBenchmark((base + variant).c_str(),
                                     [c, relax](benchmark::State& s) { run(s, *c, relax); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    };
    add("reference", [](RelaxCase& r) { relaxReference(r.input(), r.sides, sweeps); });
    add("fast", [](RelaxCase& r) { relaxFast(r.input(), r.sides, sweeps, r.workspace); });
    if (metal == Metal::Scattered) return;
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
    for (const Metal metal : {Metal::Shapes, Metal::Scattered}) {
        registerCase(400, 400, false, metal);
        registerCase(1920, 1080, false, metal);
    }
}
