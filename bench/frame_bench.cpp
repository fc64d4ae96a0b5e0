// The frame's work besides the sweeps (findRange, repaint with its texture
// upload, computeField, rebuildArrows) on a smooth and on a noisy potential,
// straightforward against fast, and each part of the fast one on its own. The
// fast frame computes the field and its arrows in one pass (refresh), as the
// frame step does.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <string>

#include "../tests/support/ProgramModel.hpp"
#include "field/FieldModel.hpp"

namespace {

std::unique_ptr<FieldModel> makeModel(std::uint32_t nx, std::uint32_t ny, bool noisy) {
    auto m = programModel(nx, ny);
    std::mt19937 gen(2);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    const double pi = 3.141592653589793;
    for (std::uint32_t i = 0; i < nx; ++i) {
        for (std::uint32_t j = 0; j < ny; ++j) {
            m->potential.data[m->grid.index(i, j)] =
                noisy ? u(gen) : std::sin(2.0 * pi * i / nx) * std::sin(pi * j / ny);
        }
    }
    return m;
}

void frameReference(FieldModel& m) {
    m.potential.findRangeReference(true);
    m.potential.repaintReference();
    m.field.computeFieldReference(m.potential, -1);
    m.field.rebuildArrowsReference();
}

// As the frame step does it: the field and its arrows in one pass.
void frameFast(FieldModel& m) {
    m.potential.findRange(true);
    m.potential.repaint();
    m.field.refresh(m.potential, -1);
}

template <class Work>
void add(const std::string& name, std::shared_ptr<FieldModel> m, Work work) {
    benchmark::RegisterBenchmark(name.c_str(),
                                 [m, work](benchmark::State& state) {
                                     for (auto _ : state) {
                                         work(*m);
                                         benchmark::ClobberMemory();
                                     }
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void registerCase(std::uint32_t nx, std::uint32_t ny, bool noisy) {
    const std::string base =
        "frame/" + std::to_string(nx) + "x" + std::to_string(ny) + (noisy ? "/noisy/" : "/smooth/");
    std::shared_ptr<FieldModel> m = makeModel(nx, ny, noisy);
    add(base + "reference", m, frameReference);
    add(base + "fast", m, frameFast);
    if (!noisy) return;
    const std::string parts =
        "frame/" + std::to_string(nx) + "x" + std::to_string(ny) + "/fast part ";
    add(parts + "findRange", m, [](FieldModel& f) { f.potential.findRange(true); });
    add(parts + "repaint", m, [](FieldModel& f) { f.potential.repaint(); });
    add(parts + "texture upload", m,
        [](FieldModel& f) { f.potential.texture.update(f.potential.image); });
    add(parts + "computeField", m, [](FieldModel& f) { f.field.computeField(f.potential, -1); });
    add(parts + "rebuildArrows", m, [](FieldModel& f) { f.field.rebuildArrows(); });
    add(parts + "refresh (both in one pass)", m,
        [](FieldModel& f) { f.field.refresh(f.potential, -1); });
}

}  // namespace

void registerFrameBenchmarks() {
    for (const auto& size : {std::pair{400u, 400u}, std::pair{1920u, 1080u}}) {
        registerCase(size.first, size.second, false);
        registerCase(size.first, size.second, true);
    }
}
