#pragma once

#include <cstddef>
#include <cstdint>

#include "field/Axis.hpp"

// The rectangular grid of nodes. Node (i, j) has i as the x index (left to
// right) and j as the y index (top to bottom); per-node arrays are stored
// x-major, node (i, j) at i * ny + j.
struct Grid2D {
    double xmin;
    double xmax;
    double ymin;
    double ymax;
    std::uint32_t nx;
    std::uint32_t ny;
    double hx;
    double hy;

    Grid2D(const Axis& x, const Axis& y)
        : xmin(x.min),
          xmax(x.max),
          ymin(y.min),
          ymax(y.max),
          nx(x.count),
          ny(y.count),
          hx(x.step),
          hy(y.step) {}

    std::size_t nodeCount() const { return std::size_t{nx} * ny; }
    std::size_t index(std::uint32_t i, std::uint32_t j) const { return std::size_t{i} * ny + j; }
};

// The program's domain on nx by ny nodes: x from 0 to nx / ny, y from 0 to 1,
// so the node spacing is 1 / ny on both axes.
inline Grid2D domainGrid(std::uint32_t nx, std::uint32_t ny) {
    return Grid2D(Axis(0.0, static_cast<double>(nx) / static_cast<double>(ny), nx),
                  Axis(0.0, 1.0, ny));
}
