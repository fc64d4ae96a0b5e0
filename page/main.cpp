// The program's start in the browser. It checks and opens as src/app/main.cpp does, but a page
// may not loop in main: the browser shows nothing and handles no event until main returns. So
// main hands the running program to emscripten's main loop, which calls one frame step at a
// time, as fast as the browser runs tasks (no vertical-sync limit, as on the desktop), and the
// program lives on after main has returned, as long as the page.

#include <emscripten.h>
#include <emscripten/html5.h>

#include <SFML/Graphics/Texture.hpp>
#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

#include "app/Application.hpp"
#include "app/CommandLine.hpp"
#include "app/Limits.hpp"
#include "field/Grid2D.hpp"

namespace {

void cannotStart(const std::string& why) {
    std::fprintf(stderr, "quelvane: cannot start: %s\n", why.c_str());
}

std::string memoryProblem(const Grid2D& grid) {
    return "not enough memory for a grid of " + std::to_string(grid.nx) + "x" +
           std::to_string(grid.ny) + " nodes";
}

// Everything the frame loop needs, given to it as its one argument.
struct Running {
    Grid2D grid;
    std::unique_ptr<Application> app;
};

// A failure in a frame ends the program as a failure at start does on the desktop: one line on
// standard error, and the loop stops; the canvas keeps the last frame.
void stop(Running& running, const std::string& why) {
    cannotStart(why);
    emscripten_cancel_main_loop();
    running.app.reset();
}

void frame(void* argument) {
    Running& running = *static_cast<Running*>(argument);
    if (!running.app) return;
    try {
        running.app->frameStep();
    } catch (const std::bad_alloc&) {
        stop(running, memoryProblem(running.grid));
    } catch (const std::runtime_error& e) {
        stop(running, e.what());
    }
}

// Frames run back to back only while the page is shown. In a hidden tab they wait for the
// browser's animation frames, which a hidden tab does not get, rather than keep a core busy
// drawing what nobody sees; shown again, they run back to back.
void paceFrames(bool hidden) {
    if (hidden) {
        emscripten_set_main_loop_timing(EM_TIMING_RAF, 1);
    } else {
        emscripten_set_main_loop_timing(EM_TIMING_SETIMMEDIATE, 0);
    }
}

EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*) {
    paceFrames(e->hidden);
    return EM_FALSE;
}

}  // namespace

int main(int argc, char** argv) {
    const StartupValues values = answerCommandLine(argc, argv, stdout);
    const Grid2D grid = domainGrid(static_cast<std::uint32_t>(values.nogridx),
                                   static_cast<std::uint32_t>(values.nogridy));
    const unsigned int largestTexture = sf::Texture::getMaximumSize();
    if (largestTexture == 0) {
        cannotStart("this browser gives the page no WebGL");
        return 1;
    }
    if (const auto problem = gridProblem(grid.nx, grid.ny, largestTexture)) {
        cannotStart(*problem);
        return 1;
    }
    std::unique_ptr<Running> running;
    try {
        running.reset(new Running{grid, std::make_unique<Application>(grid, values.scale)});
    } catch (const std::bad_alloc&) {
        cannotStart(memoryProblem(grid));
        return 1;
    } catch (const std::runtime_error& e) {
        cannotStart(e.what());
        return 1;
    }
    // The loop owns the program from here on; the page ends them both when it closes.
    emscripten_set_main_loop_arg(frame, running.release(), 0, false);
    EmscriptenVisibilityChangeEvent visibility{};
    emscripten_get_visibility_status(&visibility);
    paceFrames(visibility.hidden);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onVisibility);
    return 0;
}
