#pragma once

#include <cstddef>
#include <cstdint>

#include "field/Boundaries.hpp"
#include "field/ColourMap.hpp"
#include "field/Range.hpp"
#include "field/Relaxation.hpp"

// The straightforward kernels, one node after another. They define the results:
// every kernel in fast/ is held to one of them bit for bit (fast/README.md says
// which), and the tests and benchmarks compare against them.

// One lexicographic Gauss-Seidel over-relaxation sweep over the interior nodes
// (x outer, y inner).
void sweepReference(const SweepInput& in);

// `sweeps` reference sweeps, each followed by the boundary conditions.
void relaxReference(const SweepInput& in, const BoundarySides& sides, std::uint32_t sweeps);

// Smallest and largest of values[0 .. n-1]; both start at the first value and
// the comparisons are strict, so a NaN never becomes an extreme. n must be >= 1.
ValueRange valueRangeReference(const double* values, std::size_t n);

// x-major values shown through a colour map over low .. high into an RGBA image
// of nx by ny pixels (row-major, pixel (i, j) at 4 (j nx + i)).
struct PaintJob {
    const double* values;
    std::uint32_t nx;
    std::uint32_t ny;
    double low;
    double high;
    std::uint8_t* rgba;
};

// Colours every pixel of job.rgba from the values through `map`, as repaint
// did pixel by pixel.
void paintReference(const PaintJob& job, ColourMap map);

// Gradient of src (x-major, nx by ny) times factor into dst, two doubles per
// node (x then y component). Central differences inside, one-sided at the
// edges; an axis of a single node has no stencil and gets a zero component.
void gradientReference(const double* src, double* dst, std::uint32_t nx, std::uint32_t ny,
                       double hx, double hy, double factor);

// The two components gradientReference writes for node (i, j), computed for that
// node alone: what a read-out of one node shows, the very numbers of the arrows.
struct GradientPair {
    double x;
    double y;
};
GradientPair gradientAtReference(const double* src, std::uint32_t i, std::uint32_t j,
                                 std::uint32_t nx, std::uint32_t ny, double hx, double hy,
                                 double factor);

// The arrow normalisation's search: the largest x^2 + y^2 over `nodes`
// interleaved (x, y) pairs, starting from 0.
double maxSquaredMagnitudeReference(const double* xy, std::size_t nodes);
