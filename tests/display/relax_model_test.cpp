#include <gtest/gtest.h>

#include <SFML/Window/Context.hpp>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "field/Axis.hpp"
#include "field/FieldModel.hpp"
#include "field/Grid2D.hpp"
#include "field/Reference.hpp"

namespace {

struct Size {
    std::uint32_t nx;
    std::uint32_t ny;
};

bool sameBits(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

TEST(FieldModelRelax, MatchesTheReferenceAcrossBoundaryChanges) {
    // The model's relax runs the fast path on the program's own grid shape,
    // whose steps differ in the last bit for 601 x 299. A context kept alive
    // spares SFML setting its shared one up for every model's textures.
    const sf::Context keepDisplayOpen;
    for (const Size size : {Size{400, 400}, Size{601, 299}}) {
        const Grid2D g = domainGrid(size.nx, size.ny);
        FieldModel model(g.xmin, g.xmax, g.ymin, g.ymax, static_cast<std::uint16_t>(size.nx),
                         static_cast<std::uint16_t>(size.ny));
        std::mt19937 gen(3);
        std::uniform_real_distribution<double> u(-1.0, 1.0);
        for (double& v : model.charge.density.data)
            v = u(gen);
        model.makeLeftRightPeriodic();
        model.relax(3);
        model.setBoundary(Left, 0.5, false);
        model.relax(4);
        std::vector<double> expected(model.grid.nodeCount(), 0.0);
        const SweepInput in{expected.data(),
                            model.charge.density.data.data(),
                            model.grid.nx,
                            model.grid.ny,
                            model.grid.hx,
                            model.grid.hy,
                            {model.cosSum, model.omega, model.stencilFactor, model.chargeDivisor}};
        BoundarySides sides = model.boundaries;
        sides[Left] = sides[Right] = {Periodic, 0.0};
        applyBoundaryConditions(expected.data(), model.grid.nx, model.grid.ny, sides);
        relaxReference(in, sides, 3);
        applyBoundaryConditions(expected.data(), model.grid.nx, model.grid.ny, model.boundaries);
        relaxReference(in, model.boundaries, 4);
        EXPECT_TRUE(sameBits(expected, model.potential.data)) << size.nx << "x" << size.ny;
    }
}

}  // namespace
