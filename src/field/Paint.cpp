#include "field/Paint.hpp"

#include <cstddef>

void paint(const PaintJob& job, ColourMap map, SimdLevel level) {
    if (map == blueRedMap) {
        frameKernels(level).paintBlueRed(job);
    } else {
        paintReference(job, map);
    }
}
