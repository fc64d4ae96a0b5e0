// The whole frame of a real Application (window, textures, texts) under the
// display, with the sweep count held at 10, and the frame's parts measured the
// same way, so the table can show each part's share of the frame.

#include <benchmark/benchmark.h>

#include <SFML/Window/Mouse.hpp>

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

namespace {

constexpr std::int32_t sweeps = 10;

// One application per grid size and choice of tools, opened when its first benchmark runs, with
// the dipole scenario loaded and a few frames run so the potential is live. With the measuring
// tools, all three are on and the pointer stands in the window's middle, so the probe reads a
// node and the graph plots its row.
Application& appFor(std::uint32_t nx, std::uint32_t ny, bool tools) {
    static std::map<std::tuple<std::uint32_t, std::uint32_t, bool>, std::unique_ptr<Application>>
        apps;
    auto& app = apps[{nx, ny, tools}];
    if (!app) {
        app = std::make_unique<Application>(domainGrid(nx, ny), 1);
        app->loadPreset(3);
        if (tools) {
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
         std::function<void(Application&)> work, bool tools = false) {
    const std::string name = "app/" + std::to_string(nx) + "x" + std::to_string(ny) + "/" + part;
    benchmark::RegisterBenchmark(name.c_str(),
                                 [nx, ny, work, tools](benchmark::State& state) {
                                     Application& app = appFor(nx, ny, tools);
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
        nx, ny, "frameStep, tools on", [](Application& a) { a.frameStep(); }, true);
    add(
        nx, ny, "updateMeasures (lines, probe, graph)", [](Application& a) { a.updateMeasures(); },
        true);
    add(
        nx, ny, "equipotentials.update",
        [](Application& a) { a.equipotentials.update(a.model.potential); }, true);
    add(
        nx, ny, "probe and graph update",
        [](Application& a) {
            const sf::Vector2i mouse = sf::Mouse::getPosition(*a.window);
            a.probe.update(a.model, mouse, a.scale, a.window->getSize());
            a.crossSection.update(a.model, mouse, a.scale, a.window->getSize());
        },
        true);
}

}  // namespace

void registerAppBenchmarks() {
    registerSize(400, 400);
    registerSize(1920, 1080);
}
