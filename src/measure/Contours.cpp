#include "measure/Contours.hpp"

#include <array>
#include <cmath>

namespace {

// The corner values of a cell: a at (i, j), b at (i + 1, j), c at (i + 1, j + 1), d at
// (i, j + 1), and the position of a.
struct Cell {
    double a;
    double b;
    double c;
    double d;
    double x;
    double y;
};

// Edges: 0 a-b (top), 1 b-c (right), 2 d-c (bottom), 3 a-d (left). Each crossing runs from the
// node of lower index to the higher one, so the two cells that share an edge compute the same
// bits for it and the lines join exactly.
// How far along from `from` to `to` the level lies. Halved first: values near the largest
// doubles on either side of the level would overflow the differences to infinity and give NaN,
// and halving is exact, so for all other values but subnormal ones the bits are those of the
// plain quotient.
double fraction(double level, double from, double to) {
    return (level * 0.5 - from * 0.5) / (to * 0.5 - from * 0.5);
}

float crossingX(const Cell& cell, int edge, double level) {
    if (edge == 3) return static_cast<float>(cell.x);
    if (edge == 1) return static_cast<float>(cell.x + 1.0);
    const double t = edge == 0 ? fraction(level, cell.a, cell.b) : fraction(level, cell.d, cell.c);
    return static_cast<float>(cell.x + t);
}

float crossingY(const Cell& cell, int edge, double level) {
    if (edge == 0) return static_cast<float>(cell.y);
    if (edge == 2) return static_cast<float>(cell.y + 1.0);
    const double t = edge == 3 ? fraction(level, cell.a, cell.d) : fraction(level, cell.b, cell.c);
    return static_cast<float>(cell.y + t);
}

void addSegment(const Cell& cell, int from, int to, double level, std::int32_t k,
                std::vector<ContourSegment>& out) {
    out.push_back({crossingX(cell, from, level), crossingY(cell, from, level),
                   crossingX(cell, to, level), crossingY(cell, to, level), k});
}

// The two crossed edges of each case (bit 0 a above, 1 b, 2 c, 3 d); the saddles 5 and 10
// cross all four and are resolved apart.
constexpr std::array<std::array<std::int8_t, 2>, 16> crossedEdges{{{-1, -1},
                                                                   {0, 3},
                                                                   {0, 1},
                                                                   {1, 3},
                                                                   {1, 2},
                                                                   {-1, -1},
                                                                   {0, 2},
                                                                   {2, 3},
                                                                   {2, 3},
                                                                   {0, 2},
                                                                   {-1, -1},
                                                                   {1, 2},
                                                                   {1, 3},
                                                                   {0, 1},
                                                                   {0, 3},
                                                                   {-1, -1}}};

// A saddle's centre, the mean in this fixed order, decides whether its two higher corners
// join across it: then the segments cut off the two lower corners, else the higher ones.
void addSaddle(const Cell& cell, int corners, double level, std::int32_t k,
               std::vector<ContourSegment>& out) {
    const double centre = (((cell.a + cell.b) + cell.c) + cell.d) * 0.25;
    const bool cutOffBAndD = (corners == 5) == (centre > level);
    if (cutOffBAndD) {
        addSegment(cell, 0, 1, level, k, out);
        addSegment(cell, 2, 3, level, k, out);
    } else {
        addSegment(cell, 0, 3, level, k, out);
        addSegment(cell, 1, 2, level, k, out);
    }
}

// The corners at the ends of each edge (0 a, 1 b, 2 c, 3 d), in the order of crossedEdges.
constexpr std::array<std::array<std::int8_t, 2>, 4> edgeCorners{{{0, 1}, {1, 2}, {3, 2}, {0, 3}}};

double cornerValue(const Cell& cell, int corner) {
    const double values[4] = {cell.a, cell.b, cell.c, cell.d};
    return values[corner];
}

// The corner a crossing of this edge lies on, or -1: its end below the level when that end is
// exactly on it (the crossing's fraction is then exactly 0).
int crossingCorner(const Cell& cell, int corners, int edge, double level) {
    for (const int corner : edgeCorners[edge]) {
        if ((corners >> corner & 1) == 0 && cornerValue(cell, corner) == level) return corner;
    }
    return -1;
}

// A line through nodes exactly on its level is found only by the cells on the side above it.
// Along the grid's edge (a side held at a level, such as a grounded one) that would draw a frame
// round the part of the grid above that level but none round the part below: lines lying on the
// edge itself are not drawn, and neither are pieces of no length (a single corner on the level).
bool liesOnNodes(const Cell& cell, int corners, int from, int to, double level, int edgesOnSide) {
    const int p = crossingCorner(cell, corners, from, level);
    const int q = crossingCorner(cell, corners, to, level);
    if (p < 0 || q < 0) return false;
    if (p == q) return true;
    for (int edge = 0; edge < 4; ++edge) {
        const auto& ends = edgeCorners[edge];
        const bool joins = (ends[0] == p && ends[1] == q) || (ends[0] == q && ends[1] == p);
        if (joins) return (edgesOnSide >> edge & 1) != 0;
    }
    return false;
}

void traceLevel(const Cell& cell, double level, std::int32_t k, int edgesOnSide,
                std::vector<ContourSegment>& out) {
    // Strictly above: corners exactly on the level count as below, so a cell lying flat on a
    // level holds no line of it.
    const int corners = (cell.a > level ? 1 : 0) | (cell.b > level ? 2 : 0) |
                        (cell.c > level ? 4 : 0) | (cell.d > level ? 8 : 0);
    if (corners == 5 || corners == 10) {
        addSaddle(cell, corners, level, k, out);
    } else if (corners != 0 && corners != 15) {
        const int from = crossedEdges[corners][0];
        const int to = crossedEdges[corners][1];
        if (liesOnNodes(cell, corners, from, to, level, edgesOnSide)) return;
        addSegment(cell, from, to, level, k, out);
    }
}

}  // namespace

ContourLevels contourLevels(ValueRange range, double step) {
    if (!(step > 0.0) || !std::isfinite(step) || !std::isfinite(range.min) ||
        !std::isfinite(range.max) || !(range.min < range.max)) {
        return {};
    }
    const double first = std::ceil(range.min / step);
    const double last = std::floor(range.max / step);
    const double bound = largestLevelIndex;
    if (!(first <= last) || first < -bound || last > bound) return {};
    return {step, static_cast<std::int32_t>(first), static_cast<std::int32_t>(last)};
}

void traceCell(const ContourJob& job, std::uint32_t i, std::uint32_t j, std::int32_t kFrom,
               std::int32_t kTo, std::vector<ContourSegment>& out) {
    const double* left = job.values + std::size_t{i} * job.ny + j;
    const double* right = left + job.ny;
    const Cell cell{left[0], right[0], right[1], left[1], i + 0.5, j + 0.5};
    // A corner that is not finite leaves the whole cell without lines.
    if (!std::isfinite(cell.a) || !std::isfinite(cell.b) || !std::isfinite(cell.c) ||
        !std::isfinite(cell.d)) {
        return;
    }
    // Bit e set: the cell's edge e is part of the grid's own edge.
    const int edgesOnSide =
        (j == 0 ? 1 : 0) | (i + 2 == job.nx ? 2 : 0) | (j + 2 == job.ny ? 4 : 0) | (i == 0 ? 8 : 0);
    for (std::int32_t k = kFrom; k <= kTo; ++k) {
        traceLevel(cell, levelValue(job.levels, k), k, edgesOnSide, out);
    }
}

void contoursReference(const ContourJob& job, std::vector<ContourSegment>& out) {
    out.clear();
    if (job.nx < 2 || job.ny < 2 || job.levels.count() <= 0) return;
    for (std::uint32_t i = 0; i + 1 < job.nx; ++i) {
        for (std::uint32_t j = 0; j + 1 < job.ny; ++j) {
            traceCell(job, i, j, job.levels.first, job.levels.last, out);
        }
    }
}
