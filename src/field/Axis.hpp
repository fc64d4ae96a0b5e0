#pragma once

#include <cstdint>

// A uniform axis of `count` nodes: the step is (max - min) / count, so the
// nodes are min, min + step, ... and there is no node at max.
struct Axis {
    double min;
    double max;
    std::uint32_t count;
    double step;

    Axis(double min, double max, std::uint32_t count)
        : min(min), max(max), count(count), step((max - min) / static_cast<double>(count)) {}
};
