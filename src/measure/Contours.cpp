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

struct Point {
    float x;
    float y;
};

// Edges: 0 a-b (top), 1 b-c (right), 2 d-c (bottom), 3 a-d (left). Each crossing runs from the
// node of lower index to the higher one, so the two cells that share an edge compute the same
// bits for it and the lines join exactly.
[[gnu::always_inline]] inline Point crossing(const Cell& cell, int edge, double level) {
    const auto at = [](double x, double y) {
        return Point{static_cast<float>(x), static_cast<float>(y)};
    };
    switch (edge) {
        case 0:
            return at(cell.x + (level - cell.a) / (cell.b - cell.a), cell.y);
        case 1:
            return at(cell.x + 1.0, cell.y + (level - cell.b) / (cell.c - cell.b));
        case 2:
            return at(cell.x + (level - cell.d) / (cell.c - cell.d), cell.y + 1.0);
        default:
            return at(cell.x, cell.y + (level - cell.a) / (cell.d - cell.a));
    }
}

[[gnu::always_inline]] inline void addSegment(const Cell& cell, int from, int to, double level,
                                              std::int32_t k, std::vector<ContourSegment>& out) {
    const Point p = crossing(cell, from, level);
    const Point q = crossing(cell, to, level);
    out.push_back({p.x, p.y, q.x, q.y, k});
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

[[gnu::always_inline]] inline void traceLevel(const Cell& cell, double level, std::int32_t k,
                                              std::vector<ContourSegment>& out) {
    // Strictly above: corners exactly on the level count as below, so a cell lying flat on a
    // level holds no line of it.
    const int corners = (cell.a > level ? 1 : 0) | (cell.b > level ? 2 : 0) |
                        (cell.c > level ? 4 : 0) | (cell.d > level ? 8 : 0);
    if (corners == 5 || corners == 10) {
        addSaddle(cell, corners, level, k, out);
    } else if (corners != 0 && corners != 15) {
        addSegment(cell, crossedEdges[corners][0], crossedEdges[corners][1], level, k, out);
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
    for (std::int32_t k = kFrom; k <= kTo; ++k) {
        traceLevel(cell, levelValue(job.levels, k), k, out);
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
