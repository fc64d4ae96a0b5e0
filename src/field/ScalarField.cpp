#include "field/ScalarField.hpp"

#include <algorithm>

#include "field/Paint.hpp"
#include "field/Reference.hpp"
#include "field/fast/FrameKernels.hpp"

ScalarField::ScalarField(const Grid2D& grid, sf::Color fill) : data(grid.nodeCount()), grid(&grid) {
    image.create(grid.nx, grid.ny, fill);
    texture.loadFromImage(image);
    sprite.setTexture(texture);
}

void ScalarField::setRange(ValueRange found, bool symmetric) {
    dataMin = found.min;
    dataMax = found.max;
    const ValueRange shown = displayRange(found, symmetric);
    low = shown.min;
    high = shown.max;
}

void ScalarField::findRange(bool symmetric) {
    if (data.empty()) return;
    setRange(frameKernels(bestSimdLevel()).valueRange(data.data(), data.size()), symmetric);
}

void ScalarField::findRangeReference(bool symmetric) {
    if (data.empty()) return;
    setRange(valueRangeReference(data.data(), data.size()), symmetric);
}

void ScalarField::clear() {
    std::fill(data.begin(), data.end(), 0.0);
}

void ScalarField::setPixelOf(std::uint32_t i, std::uint32_t j, double v) {
    image.setPixel(i, j, colourOf(v, low, high, colourMap));
}

void ScalarField::repaint() {
    // The pixels are written in place: the image owns them and is not const,
    // only its accessor is.
    auto* pixels = const_cast<std::uint8_t*>(image.getPixelsPtr());
    paint({data.data(), grid->nx, grid->ny, low, high, pixels}, colourMap);
    texture.update(image);
}

void ScalarField::repaintReference() {
    for (std::uint32_t i = 0; i < grid->nx; ++i) {
        for (std::uint32_t j = 0; j < grid->ny; ++j) {
            setPixelOf(i, j, data[grid->index(i, j)]);
        }
    }
    texture.update(image);
}
