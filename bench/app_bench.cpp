// The whole frame of a real Application (window, textures, texts) under the
// display, with the sweep count held at 10, and the frame's parts measured the
// same way, so the table can show each part's share of the frame.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "app/Application.hpp"
#include "field/Axis.hpp"
#include "field/Grid2D.hpp"

namespace {

constexpr std::int32_t sweeps = 10;

// One application per grid size, opened when its first benchmark runs, with
// the dipole scenario loaded and a few frames run so the potential is live.
Application& appFor(std::uint32_t nx, std::uint32_t ny) {
    static std::map<std::pair<std::uint32_t, std::uint32_t>, std::unique_ptr<Application>> apps;
    auto& app = apps[{nx, ny}];
    if (!app) {
        app = std::make_unique<Application>(domainGrid(nx, ny), 1);
        app->loadPreset(3);
        for (int k = 0; k < 20; ++k) {
            app->sweepsPerFrame = sweeps;
            app->frameStep();
        }
    }
    return *app;
}

void add(std::uint32_t nx, std::uint32_t ny, const std::string& part,
         std::function<void(Application&)> work) {
    const std::string name = "app/" + std::to_string(nx) + "x" + std::to_string(ny) + "/" + part;
    benchmark::RegisterBenchmark(name.c_str(),
                                 [nx, ny, work](benchmark::State& state) {
                                     Application& app = appFor(nx, ny);
                                     for (auto _ : state) {
                                         // The frame-rate control adapts the
                                         // count once a second: hold it.
                                         app.sweepsPerFrame = sweeps;
                                         work(app);
                                     }
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

void registerSize(std::uint32_t nx, std::uint32_t ny) {
    add(nx, ny, "frameStep", [](Application& a) { a.frameStep(); });
    add(nx, ny, "relax", [](Application& a) { a.model.relax(sweeps); });
    add(nx, ny, "findRange+repaint", [](Application& a) {
        a.model.potential.findRange(true);
        a.model.potential.repaint();
    });
    add(nx, ny, "field refresh (field and arrows)",
        [](Application& a) { a.model.field.refresh(a.model.potential, -1); });
    add(nx, ny, "drawFrame", [](Application& a) { a.drawFrame(); });
    add(nx, ny, "updateFrameRate+processEvents", [](Application& a) {
        a.updateFrameRate();
        a.processEvents();
    });
}

}  // namespace

void registerAppBenchmarks() {
    registerSize(400, 400);
    registerSize(1920, 1080);
}
