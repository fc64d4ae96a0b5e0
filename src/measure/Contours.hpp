#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "field/Range.hpp"

// Equipotential lines by marching squares over the nodes of a potential, as plain functions
// over plain arrays. Positions are in node units and placed as the image layers place their
// pixels: node (i, j) at the centre of its pixel, (i + 0.5, j + 0.5).

// One straight piece of the line of level value level * step inside one cell.
struct ContourSegment {
    float x0;
    float y0;
    float x1;
    float y1;
    std::int32_t level;
};

// The levels k * step for k = first .. last; none when last < first.
struct ContourLevels {
    double step = 0.0;
    std::int32_t first = 0;
    std::int32_t last = -1;

    std::int32_t count() const { return last - first + 1; }
};

// Level indices stay within +-2^24: the fast scan's margin rests on it, and a step so fine
// for its range would fill every cell with lines anyway.
inline constexpr std::int32_t largestLevelIndex = std::int32_t{1} << 24;

// Every multiple of step within range, k from ceil(min / step) to floor(max / step). None for
// a step that is not positive and finite, a range that is not finite or not wider than a
// point, and indices beyond largestLevelIndex.
ContourLevels contourLevels(ValueRange range, double step);

// The value of level k, computed this one way everywhere.
inline double levelValue(const ContourLevels& levels, std::int32_t k) {
    return static_cast<double>(k) * levels.step;
}

// A potential of nx by ny nodes, x-major (node (i, j) at i * ny + j), and its levels.
struct ContourJob {
    const double* values;
    std::uint32_t nx;
    std::uint32_t ny;
    ContourLevels levels;
};

// The segments of levels kFrom .. kTo in cell (i, j), whose corners are the nodes (i, j),
// (i + 1, j), (i + 1, j + 1) and (i, j + 1), appended to out in the order of the levels.
void traceCell(const ContourJob& job, std::uint32_t i, std::uint32_t j, std::int32_t kFrom,
               std::int32_t kTo, std::vector<ContourSegment>& out);

// Every cell (x outer, y inner) with every level: the segments in that order replace out.
void contoursReference(const ContourJob& job, std::vector<ContourSegment>& out);
