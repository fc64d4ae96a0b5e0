// The frame step's kernels on a noisy potential: the range, the colour map into the image, and
// the field with the arrows' search on the way (the program's block of 7 nodes), the
// straightforward ones against each instruction set the processor runs. Plain arrays and no
// texture, so it needs no display and runs under node too; placing the arrows, the same code
// on every level, is left out.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "field/ColourMap.hpp"
#include "field/FieldArrows.hpp"
#include "field/Grid2D.hpp"
#include "field/Range.hpp"
#include "field/Reference.hpp"
#include "field/fast/FrameKernels.hpp"
#include "field/fast/SimdLevel.hpp"

namespace {

constexpr std::uint32_t arrowBlock = 7;

struct StepCase {
    Grid2D grid;
    std::vector<double> potential;
    std::vector<std::uint8_t> rgba;
    std::vector<double> field;

    StepCase(std::uint32_t nx, std::uint32_t ny)
        : grid(domainGrid(nx, ny)),
          potential(grid.nodeCount()),
          rgba(4 * grid.nodeCount()),
          field(2 * grid.nodeCount()) {
        std::mt19937 gen(2);
        std::uniform_real_distribution<double> u(-1.0, 1.0);
        for (double& v : potential)
            v = u(gen);
    }

    PaintJob paintJob(ValueRange found) {
        const ValueRange shown = displayRange(found, true);
        return {potential.data(), grid.nx, grid.ny, shown.min, shown.max, rgba.data()};
    }

    GradientJob gradientJob() {
        GradientJob job{potential.data(), field.data(), grid.nx, grid.ny, grid.hx, grid.hy, -1.0};
        job.cachedStride = arrowBlock;
        job.cachedFirst = arrowAxis(grid.nx, arrowBlock).offset;
        return job;
    }
};

double stepReference(StepCase& c) {
    const PaintJob paint = c.paintJob(valueRangeReference(c.potential.data(), c.potential.size()));
    paintReference(paint, blueRedMap);
    gradientReference(c.potential.data(), c.field.data(), c.grid.nx, c.grid.ny, c.grid.hx,
                      c.grid.hy, -1.0);
    return maxSquaredMagnitudeReference(c.field.data(), c.grid.nodeCount());
}

double stepFast(StepCase& c, SimdLevel level) {
    const FrameKernels& kernels = frameKernels(level);
    const PaintJob paint = c.paintJob(kernels.valueRange(c.potential.data(), c.potential.size()));
    kernels.paintBlueRed(paint);
    return kernels.gradientLargest(c.gradientJob());
}

template <class Step>
void add(const std::string& name, std::shared_ptr<StepCase> c, Step step) {
    benchmark::RegisterBenchmark(name.c_str(),
                                 [c, step](benchmark::State& state) {
                                     for (auto _ : state) {
                                         benchmark::DoNotOptimize(step(*c));
                                         benchmark::ClobberMemory();
                                     }
                                     state.counters["nodes/s"] = benchmark::Counter(
                                         double(c->grid.nodeCount()) * double(state.iterations()),
                                         benchmark::Counter::kIsRate);
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void registerCase(std::uint32_t nx, std::uint32_t ny) {
    const std::string base = "step/" + std::to_string(nx) + "x" + std::to_string(ny) + "/";
    auto c = std::make_shared<StepCase>(nx, ny);
    add(base + "reference", c, stepReference);
    for (const SimdLevel level : supportedSimdLevels()) {
        add(base + simdLevelName(level), c, [level](StepCase& s) { return stepFast(s, level); });
    }
}

}  // namespace

void registerStepBenchmarks() {
    registerCase(400, 400);
    registerCase(1920, 1080);
}
