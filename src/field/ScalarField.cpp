#include "field/ScalarField.hpp"

#include <algorithm>

#include "field/Range.hpp"

ScalarField::ScalarField(const Grid2D& grid, sf::Color fill)
    : data(grid.nodeCount()), grid(&grid) {
    image.create(grid.nx, grid.ny, fill);
    texture.loadFromImage(image);
    sprite.setTexture(texture);
}

void ScalarField::findRange(bool symmetric) {
    if (data.empty()) return;
    const ValueRange found = findValueRange(data.data(), data.size());
    dataMin = found.min;
    dataMax = found.max;
    const ValueRange shown = displayRange(found, symmetric);
    low = shown.min;
    high = shown.max;
}

void ScalarField::clear() {
    std::fill(data.begin(), data.end(), 0.0);
}

void ScalarField::setPixelOf(std::uint32_t i, std::uint32_t j, double v) {
    image.setPixel(i, j, colourOf(v, low, high, colourMap));
}

void ScalarField::repaint() {
    for (std::uint32_t i = 0; i < grid->nx; ++i) {
        for (std::uint32_t j = 0; j < grid->ny; ++j) {
            setPixelOf(i, j, data[grid->index(i, j)]);
        }
    }
    texture.update(image);
}
