#include "field/Paint.hpp"

#include <cstddef>

void paintReference(const PaintJob& job, ColourMap map) {
    for (std::size_t i = 0; i < job.nx; ++i) {
        for (std::size_t j = 0; j < job.ny; ++j) {
            const sf::Color c = colourOf(job.values[i * job.ny + j], job.low, job.high, map);
            std::uint8_t* pixel = job.rgba + 4 * (j * job.nx + i);
            pixel[0] = c.r;
            pixel[1] = c.g;
            pixel[2] = c.b;
            pixel[3] = c.a;
        }
    }
}

void paint(const PaintJob& job, ColourMap map, SimdLevel level) {
    if (map == blueRedMap) {
        frameKernels(level).paintBlueRed(job);
    } else {
        paintReference(job, map);
    }
}
