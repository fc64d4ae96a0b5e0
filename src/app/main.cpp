#include <SFML/Graphics/Texture.hpp>
#include <cstdio>
#include <new>
#include <stdexcept>

#include "app/Application.hpp"
#include "app/CommandLine.hpp"
#include "app/Limits.hpp"
#include "field/Grid2D.hpp"

namespace {

int cannotStart(const std::string& why) {
    std::fprintf(stderr, "quelvane: cannot start: %s\n", why.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const StartupValues values = answerCommandLine(argc, argv, stdout);
    const Grid2D grid = domainGrid(static_cast<std::uint32_t>(values.nogridx),
                                   static_cast<std::uint32_t>(values.nogridy));
    if (const auto problem = gridProblem(grid.nx, grid.ny, sf::Texture::getMaximumSize())) {
        return cannotStart(*problem);
    }
    try {
        Application app(grid, values.scale);
        while (app.window->isOpen())
            app.frameStep();
    } catch (const std::bad_alloc&) {
        return cannotStart("not enough memory for a grid of " + std::to_string(grid.nx) + "x" +
                           std::to_string(grid.ny) + " nodes");
    } catch (const std::runtime_error& e) {
        return cannotStart(e.what());
    }
    return 0;
}
