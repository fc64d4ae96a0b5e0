#pragma once

#include <cstddef>
#include <cstdint>

#include "field/Range.hpp"
#include "field/SimdLevel.hpp"

// The per-frame work besides the sweeps, over plain arrays: each gives the
// bits of its straightforward reference (findValueRange, blueRedMap through
// colourOf, gradientReference, the arrow normalisation loop).

// x-major values shown through blueRedMap over low .. high into an RGBA image
// of nx by ny pixels (row-major, pixel (i, j) at 4 (j nx + i)).
struct PaintJob {
    const double* values;
    std::uint32_t nx;
    std::uint32_t ny;
    double low;
    double high;
    std::uint8_t* rgba;
};

// The gradient of src times factor into dst, as gradientReference.
struct GradientJob {
    const double* src;
    double* dst;
    std::uint32_t nx;
    std::uint32_t ny;
    double hx;
    double hy;
    double factor;
    // Columns cachedFirst, cachedFirst + cachedStride, ... are written into the
    // caches even where the rest of a large field is streamed past them: the
    // arrows read them next. A stride of 0 keeps none.
    std::uint32_t cachedStride = 0;
    std::uint32_t cachedFirst = 0;
};

struct FrameKernels {
    ValueRange (*valueRange)(const double* values, std::size_t n);
    void (*paintBlueRed)(const PaintJob& job);
    void (*gradient)(const GradientJob& job);
    // The same gradient, returning the largest x^2 + y^2 of the pairs it wrote
    // (from 0.0): the arrow normalisation's search done on the way.
    double (*gradientLargest)(const GradientJob& job);
    // Largest x^2 + y^2 over `nodes` interleaved (x, y) pairs, starting from 0.
    double (*maxSquaredMagnitude)(const double* xy, std::size_t nodes);
};

// The build for `level`, which the processor must support.
const FrameKernels& frameKernels(SimdLevel level);

// The arrow normalisation's search as first written: one node after another.
double maxSquaredMagnitudeReference(const double* xy, std::size_t nodes);
