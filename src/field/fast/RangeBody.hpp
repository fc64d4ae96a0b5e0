#pragma once

// The range search (valueRange) as a template over the lane type, held to
// valueRangeReference.
// Included only by FrameBuilds.cpp, which builds it once per instruction set;
// every function is forced inline into the entry point of its instruction set.

#include <cassert>
#include <cstddef>

#include "field/Range.hpp"
#include "field/fast/FrameLanes.hpp"

namespace frame {

using std::ptrdiff_t;
using std::size_t;

// The reference keeps the first of equal extremes; only zeros compare equal
// with different bits, so a zero extreme is the first zero in storage order.
inline double firstZero(const double* values, size_t n) {
    size_t k = 0;
    while (k + 1 < n && values[k] != 0.0)
        ++k;
    return values[k];
}

// Strict comparisons, as the reference: a NaN never replaces an extreme.
// Four groups of lanes keep their own extremes, so consecutive loads do not
// wait for each other's comparisons.
template <class V>
[[gnu::always_inline]] inline ValueRange valueRange(const double* values, size_t n) {
    assert(n >= 1);
    const double start = values[0];
    // With a NaN first, nothing compares greater or smaller: both stay NaN.
    if (start != start) return {start, start};
    constexpr size_t w = laneCount<V>;
    constexpr size_t groups = 4;
    V lo[groups];
    V hi[groups];
    for (size_t g = 0; g < groups; ++g) {
        lo[g] = hi[g] = V{} + start;
    }
    size_t k = 1;
    for (; k + groups * w <= n; k += groups * w) {
        for (size_t g = 0; g < groups; ++g) {
            V v;
            loadLanes(v, values + k + g * w);
            hi[g] = larger(v, hi[g]);
            lo[g] = smaller(v, lo[g]);
        }
    }
    ValueRange r{start, start};
    for (size_t g = 0; g < groups; ++g) {
        double lanesLo[w];
        double lanesHi[w];
        storeLanes(lanesLo, lo[g]);
        storeLanes(lanesHi, hi[g]);
        for (size_t m = 0; m < w; ++m) {
            if (lanesHi[m] > r.max) r.max = lanesHi[m];
            if (lanesLo[m] < r.min) r.min = lanesLo[m];
        }
    }
    for (; k < n; ++k) {
        if (values[k] > r.max) r.max = values[k];
        if (values[k] < r.min) r.min = values[k];
    }
    if (r.max == 0.0) r.max = firstZero(values, n);
    if (r.min == 0.0) r.min = firstZero(values, n);
    return r;
}

}  // namespace frame
