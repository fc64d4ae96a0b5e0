// The whole frame of a real Application (window, textures, texts) under the
// display, with the sweep count held at 10, and the frame's parts measured the
// same way, so the table can show each part's share of the frame.

#include <benchmark/benchmark.h>

#include <SFML/Window/Mouse.hpp>

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "app/Application.hpp"
#include "field/Axis.hpp"
#include "field/Grid2D.hpp"
#include "metal/InducedCharge.hpp"
#include "metal/MetalBrush.hpp"

namespace {

constexpr std::int32_t sweeps = 10;

enum class Extras { None, Tools, Metal };

// A grounded ring round the dipole and a plate at +0.05 below it, about a tenth of the nodes.
void paintMetal(FieldModel& m) {
    const auto nx = static_cast<std::int16_t>(m.grid.nx);
    const auto ny = static_cast<std::int16_t>(m.grid.ny);
    const double r = ny * 0.4;
    const double width = 0.05 * nx * ny / (2.0 * 3.141592653589793 * r);
    for (std::int16_t i = 1; i + 1 < nx; ++i) {
        for (std::int16_t j = 1; j + 1 < ny; ++j) {
            const bool ring = std::abs(std::hypot(i - nx / 2.0, j - ny / 2.0) - r) < width / 2.0;
            const bool plate = i >= nx / 10 && i < nx - nx / 10 && j >= ny - ny / 10 - ny / 16 &&
                               j < ny - ny / 10;
            if (ring) paintMetalDisc(m, {i, j, 0, false, 0.0});
            if (plate) paintMetalDisc(m, {i, j, 0, false, 0.05});
        }
    }
}

// One application per grid size and choice of extras, opened when its first benchmark runs,
// with the dipole scenario loaded and a few frames run so the potential is live. With the
// measuring tools, all three are on and the pointer stands in the window's middle, so the probe
// reads a node and the graph plots its row. With metal, a ring and a plate are painted.
Application& appFor(std::uint32_t nx, std::uint32_t ny, Extras extras) {
    static std::map<std::tuple<std::uint32_t, std::uint32_t, Extras>, std::unique_ptr<Application>>
        apps;
    auto& app = apps[{nx, ny, extras}];
    if (!app) {
        app = std::make_unique<Application>(domainGrid(nx, ny), 1);
        app->loadPreset(3);
        if (extras == Extras::Metal) paintMetal(app->model);
        if (extras == Extras::Tools) {
            app->equipotentials.toggle();
            app->probe.toggle();
            app->crossSection.toggle();
            sf::Mouse::setPosition({static_cast<int>(nx / 2), static_cast<int>(ny / 3)},
                                   *app->window);
        }
        for (int k = 0; k < 20; ++k) {
            app->sweepsPerFrame = sweeps;
            app->frameStep();
        }
    }
    return *app;
}

void add(std::uint32_t nx, std::uint32_t ny, const std::string& part,
         std::function<void(Application&)> work, Extras extras = Extras::None) {
    const std::string name = "app/" + std::to_string(nx) + "x" + std::to_string(ny) + "/" + part;
    benchmark::RegisterBenchmark(name.c_str(),
                                 [nx, ny, work, extras](benchmark::State& state) {
                                     Application& app = appFor(nx, ny, extras);
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
    // The measuring tools all on: the whole frame, and their own step alone.
    add(
        nx, ny, "frameStep, tools on", [](Application& a) { a.frameStep(); }, Extras::Tools);
    add(
        nx, ny, "updateMeasures (lines, probe, graph)", [](Application& a) { a.updateMeasures(); },
        Extras::Tools);
    add(
        nx, ny, "equipotentials.update",
        [](Application& a) { a.equipotentials.update(a.model.potential); }, Extras::Tools);
    add(
        nx, ny, "probe and graph update",
        [](Application& a) {
            const sf::Vector2i mouse = sf::Mouse::getPosition(*a.window);
            a.probe.update(a.model, mouse, a.scale, a.window->getSize());
            a.crossSection.update(a.model, mouse, a.scale, a.window->getSize());
        },
        Extras::Tools);
    // Metal painted: the whole frame, the charge it gathers into the charge layer each frame,
    // and the hatch redrawn, which happens in frames that change the metal.
    add(
        nx, ny, "frameStep, metal", [](Application& a) { a.frameStep(); }, Extras::Metal);
    add(
        nx, ny, "relax, metal", [](Application& a) { a.model.relax(sweeps); }, Extras::Metal);
    add(
        nx, ny, "showInducedCharge", [](Application& a) { showInducedCharge(a.model); },
        Extras::Metal);
    add(
        nx, ny, "metal hatch redrawn",
        [](Application& a) {
            a.metalHatch.shownVersion = 0;
            a.metalHatch.update(a.model.metal, a.model.grid, a.scale);
        },
        Extras::Metal);
}

}  // namespace

void registerAppBenchmarks() {
    registerSize(400, 400);
    registerSize(1920, 1080);
}
