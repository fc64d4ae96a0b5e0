#include "field/Boundaries.hpp"

#include <cstddef>

namespace {

// Periodic sides copy the interior line next to the opposite side. The far
// side is written first, so the near side reads the value just copied there
// when the grid is two lines wide. Fewer than two lines leave nothing to copy.
void copyTopBottom(double* phi, std::uint32_t nx, std::uint32_t ny) {
    if (ny < 2) return;
    for (std::size_t i = 0; i < nx; ++i) {
        double* column = phi + i * ny;
        column[ny - 1] = column[1];
        column[0] = column[ny - 2];
    }
}

void copyLeftRight(double* phi, std::uint32_t nx, std::uint32_t ny) {
    if (nx < 2) return;
    const std::size_t last = std::size_t{nx - 1} * ny;
    const std::size_t second = ny;
    const std::size_t secondLast = std::size_t{nx - 2} * ny;
    for (std::size_t j = 0; j < ny; ++j) {
        phi[last + j] = phi[second + j];
        phi[j] = phi[secondLast + j];
    }
}

void fillColumn(double* phi, std::size_t i, std::uint32_t ny, double value) {
    for (std::size_t j = 0; j < ny; ++j)
        phi[i * ny + j] = value;
}

// Top and bottom rows leave out the corners, which belong to the left and
// right columns.
void fillRow(double* phi, std::uint32_t nx, std::uint32_t ny, std::size_t j, double value) {
    for (std::size_t i = 1; i + 1 < nx; ++i)
        phi[i * ny + j] = value;
}

}  // namespace

void applyBoundaryConditions(double* phi, std::uint32_t nx, std::uint32_t ny,
                             const BoundarySides& sides) {
    if (nx == 0 || ny == 0) return;
    if (sides[Top].kind == Periodic) copyTopBottom(phi, nx, ny);
    if (sides[Left].kind == Periodic) copyLeftRight(phi, nx, ny);
    if (sides[Left].kind == Fixed) fillColumn(phi, 0, ny, sides[Left].value);
    if (sides[Right].kind == Fixed) fillColumn(phi, nx - 1, ny, sides[Right].value);
    if (sides[Top].kind == Fixed) fillRow(phi, nx, ny, 0, sides[Top].value);
    if (sides[Bottom].kind == Fixed) fillRow(phi, nx, ny, ny - 1, sides[Bottom].value);
}

int partnerSide(int side) {
    return side ^ 1;
}
