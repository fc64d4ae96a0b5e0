#pragma once

#include <cstdint>

#include "field/Brush.hpp"
#include "field/ScalarField.hpp"
#include "field/Stamp.hpp"

// The charge density: a scalar field together with the brush that paints it
// and the limits of the charge stamp.
class ChargeField {
  public:
    ScalarField density;
    Brush brush;
    StampSettings stamp;

    explicit ChargeField(const Grid2D& grid) : density(grid, sf::Color::Black) {}

    // Deposits or erases charge in a disc and recolours only the touched pixels.
    void stampDisc(std::int16_t cx, std::int16_t cy, std::uint16_t radius, bool clampToZero,
                   bool hard, double densityValue, bool updateTexture);
};
