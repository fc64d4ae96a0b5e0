#pragma once

#include <array>
#include <cstdint>

enum BoundaryKind : std::int32_t { Fixed = 0, Periodic = 1 };

enum BoundarySideIndex : int { Left = 0, Right = 1, Top = 2, Bottom = 3 };

struct BoundarySide {
    std::int32_t kind = Fixed;
    double value = 0.0;
};

using BoundarySides = std::array<BoundarySide, 4>;

// Writes the boundary conditions into the edge nodes of phi (x-major, nx by ny).
void applyBoundaryConditions(double* phi, std::uint32_t nx, std::uint32_t ny,
                             const BoundarySides& sides);

// The other side of the pair a side belongs to (Left/Right, Top/Bottom).
int partnerSide(int side);
