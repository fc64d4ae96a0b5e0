#pragma once

// The arrows' search for the longest field over a field already computed
// (maxSquaredMagnitude) as a template over the lane type, held to
// maxSquaredMagnitudeReference.
// Included only by FrameBuilds.cpp, which builds it once per instruction set;
// every function is forced inline into the entry point of its instruction set.

#include <cstddef>

#include "field/fast/FrameLanes.hpp"

namespace frame {

using std::ptrdiff_t;
using std::size_t;

// Every x^2 + y^2 is +0, positive or NaN, so the largest has one bit pattern
// whichever lane finds it first.
template <class V>
[[gnu::always_inline]] inline double maxSquaredMagnitude(const double* xy, size_t nodes) {
    constexpr size_t w = laneCount<V>;
    double best = 0.0;
    size_t k = 0;
    if constexpr (w > 1) {
        V most{};
        for (; k + w <= nodes; k += w) {
            V a, b;
            loadLanes(a, xy + 2 * k);
            loadLanes(b, xy + 2 * k + w);
            const V sa = a * a;
            const V sb = b * b;
            V sq;
            if constexpr (w == 2) {
                sq = __builtin_shufflevector(sa, sb, 0, 2) + __builtin_shufflevector(sa, sb, 1, 3);
            } else {
                sq = __builtin_shufflevector(sa, sb, 0, 2, 4, 6) +
                     __builtin_shufflevector(sa, sb, 1, 3, 5, 7);
            }
            most = larger(sq, most);
        }
        double lanes[w];
        storeLanes(lanes, most);
        for (const double v : lanes) {
            if (v > best) best = v;
        }
    }
    for (; k < nodes; ++k) {
        const double sq = xy[2 * k] * xy[2 * k] + xy[2 * k + 1] * xy[2 * k + 1];
        if (sq > best) best = sq;
    }
    return best;
}

}  // namespace frame
