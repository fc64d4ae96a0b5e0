#pragma once

#include <algorithm>
#include <cstddef>

// The grid seen along its anti-diagonals: diagonal d holds the nodes (i, d - i).
// In a lexicographic Gauss-Seidel sweep a node needs the new values of its west
// and north neighbours (diagonal d - 1) and the old values of its east and south
// neighbours (diagonal d + 1), never another node of its own diagonal. Updating
// the diagonals in increasing order, each one as a whole, therefore gives the
// same bits as the row-by-row sweep while every diagonal is a run of
// independent nodes.
struct DiagonalGeometry {
    std::ptrdiff_t nx;
    std::ptrdiff_t ny;

    // Nodes of diagonal d: i from first(d) to last(d).
    std::ptrdiff_t first(std::ptrdiff_t d) const {
        return std::max<std::ptrdiff_t>(0, d - (ny - 1));
    }
    std::ptrdiff_t last(std::ptrdiff_t d) const { return std::min(d, nx - 1); }
    // Interior nodes of diagonal d (none when the first exceeds the last).
    std::ptrdiff_t firstInterior(std::ptrdiff_t d) const {
        return std::max<std::ptrdiff_t>(1, d - (ny - 2));
    }
    std::ptrdiff_t lastInterior(std::ptrdiff_t d) const { return std::min(d - 1, nx - 2); }

    std::ptrdiff_t diagonalCount() const { return nx + ny - 1; }
    // Diagonals 2 .. lastInteriorDiagonal() hold the interior nodes.
    std::ptrdiff_t lastInteriorDiagonal() const { return nx + ny - 4; }
    std::ptrdiff_t longest() const { return std::min(nx, ny); }
};

// Where the diagonals live in the working layout: node (i, d - i) at
// phi[bases[d] + i] (and its charge term at charge[bases[d] + i]). Each
// diagonal has a slot of its own or shares a ring of slots with diagonals far
// enough away; the caller lays the bases out once per pass, so the kernels
// never divide to find a slot.
struct DiagonalSlots {
    double* phi;
    double* charge;
    const std::ptrdiff_t* bases;

    std::ptrdiff_t base(std::ptrdiff_t d) const { return bases[d]; }
    std::ptrdiff_t node(std::ptrdiff_t i, std::ptrdiff_t j) const { return bases[i + j] + i; }
};
