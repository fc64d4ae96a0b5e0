#pragma once

#include <cstddef>
#include <cstdint>

#include "field/Range.hpp"
#include "field/Reference.hpp"
#include "field/fast/SimdLevel.hpp"

// The per-frame work besides the sweeps, over plain arrays: each gives the
// bits of its straightforward reference in Reference.hpp (valueRangeReference,
// paintReference with blueRedMap, gradientReference, maxSquaredMagnitudeReference).

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
    // The frame step takes gradientLargest; this stays for rebuildArrows, the
    // field's own operation for arrows over a field already computed.
    double (*maxSquaredMagnitude)(const double* xy, std::size_t nodes);
};

// The build for `level`, which the processor must support.
const FrameKernels& frameKernels(SimdLevel level);
