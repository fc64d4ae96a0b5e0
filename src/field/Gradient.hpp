#pragma once

#include <cstdint>

// Gradient of src (x-major, nx by ny) times factor into dst, two doubles per
// node (x then y component). Central differences inside, one-sided at the
// edges; an axis of a single node has no stencil and gets a zero component.
// The straightforward reference.
void gradientReference(const double* src, double* dst, std::uint32_t nx, std::uint32_t ny,
                       double hx, double hy, double factor);
