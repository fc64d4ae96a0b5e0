#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "field/ScalarField.hpp"
#include "field/VectorField.hpp"

// Unequal steps and counts, so that swapped axes or steps would show.
TEST(VectorField, ComputeFieldIsMinusTheGradientOfThePotential) {
    const Grid2D grid(Axis(0.0, 1.4, 7), Axis(0.0, 2.0, 4));
    ScalarField phi(grid, sf::Color::Black);
    for (std::uint32_t i = 0; i < grid.nx; ++i) {
        for (std::uint32_t j = 0; j < grid.ny; ++j) {
            phi.data[grid.index(i, j)] = 2.0 * (i * grid.hx) - 3.0 * (j * grid.hy);
        }
    }
    VectorField field(grid);
    field.computeField(phi, -1);
    for (std::size_t k = 0; k < grid.nodeCount(); ++k) {
        EXPECT_NEAR(field.data[2 * k], -2.0, 1e-13) << k;
        EXPECT_NEAR(field.data[2 * k + 1], 3.0, 1e-13) << k;
    }

    // A uniform field: every arrow is the longest, normalizedLength along E.
    field.resizeArrows();
    field.rebuildArrows();
    const float ux = static_cast<float>(-2.0 / std::sqrt(13.0));
    const float uy = static_cast<float>(3.0 / std::sqrt(13.0));
    for (std::size_t k = 0; k < grid.nodeCount(); ++k) {
        const sf::Vector2f d =
            field.arrows.vertices[2 * k + 1].position - field.arrows.vertices[2 * k].position;
        EXPECT_NEAR(d.x, 20.0f * ux, 1e-4f) << k;
        EXPECT_NEAR(d.y, 20.0f * uy, 1e-4f) << k;
    }
}
