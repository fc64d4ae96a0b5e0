#pragma once

// The contour scan (contoursFast) as a template over the lane type, held to contoursReference.
// Included only by ContourBuilds.cpp, which builds it once per instruction set; every function
// is forced inline into the entry point of its instruction set.
//
// Why the scan is exact. Each node gets a code from q = v * (1 / step), close to v / step:
// the integer n when q lies in [n + m, n + 1 - m] (m = 1e-6 of a level), else "unsure" (NaN,
// equal to nothing). Within the levels' indices (|k| <= 2^24, q clamped just beyond them) q
// differs from v / step by less than 2^25 * 2^-51 and the level k * step from k * step by
// less than 2^24 * 2^-53 of a step: both far below m. So a node of code n lies strictly above
// every level k <= n and not above any level k > n, and a cell whose four corners have the
// same code holds no line of any level. Every other cell goes through traceCell, the
// reference's own routine, with a range of levels that keeps a level of margin on either
// side of its corners. A cell with a corner that is not finite holds no line either way,
// whatever code its corners got. Cells are visited in the reference's order.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "field/fast/FrameLanes.hpp"
#include "measure/Contours.hpp"

namespace contour {

using std::size_t;

// What the codes are made from: the reciprocal of the step and the clamp on q - 1/2.
struct Coder {
    double inverse;
    double lowest;
    double highest;
};

// Codes rest on a reciprocal with the full precision of a normal double.
inline bool codable(const ContourLevels& levels) {
    const double inverse = 1.0 / levels.step;
    return inverse >= std::numeric_limits<double>::min() &&
           inverse <= std::numeric_limits<double>::max();
}

// p = q - 1/2 is clamped to first - 2 .. last + 1: a node beyond every level keeps a code
// beyond them (and a NaN, which no comparison lets through, becomes the lowest), and the
// rounding below stays exact.
inline Coder coderOf(const ContourLevels& levels) {
    return {1.0 / levels.step, levels.first - 2.0, levels.last + 1.0};
}

// The nearest integer n to p by the shift of 1.5 * 2^52 (exact for |p| < 2^51); q is sure
// when its distance from n, |p - n|, stays within 1/2 - m.
template <class V>
[[gnu::always_inline]] inline V codeOf(const V& v, const Coder& coder) {
    constexpr double shift = 6755399441055744.0;
    constexpr double sureWithin = (0.5 - 1e-6) * (0.5 - 1e-6);
    V p = v * coder.inverse - 0.5;
    p = frame::smaller(frame::larger(p, V{} + coder.lowest), V{} + coder.highest);
    const V n = (p + shift) - shift;
    const V d = p - n;
    return frame::choose(d * d <= sureWithin, n, V{} + std::numeric_limits<double>::quiet_NaN());
}

template <class V>
[[gnu::always_inline]] inline void codeColumn(const double* values, size_t ny, const Coder& coder,
                                              double* codes) {
    constexpr size_t w = laneCount<V>;
    size_t j = 0;
    for (; j + w <= ny; j += w) {
        V v;
        loadLanes(v, values + j);
        storeLanes(codes + j, codeOf(v, coder));
    }
    for (; j < ny; ++j)
        codes[j] = codeOf(values[j], coder);
}

// The levels that may cross a cell of finite corners lo .. hi: k * step within [lo, hi), so
// k within a level of lo / step and hi / step.
inline void traceNarrowed(const ContourJob& job, const Coder& coder, std::uint32_t i,
                          std::uint32_t j, std::vector<ContourSegment>& out) {
    const double* left = job.values + size_t{i} * job.ny + j;
    const double* right = left + job.ny;
    const double corners[4] = {left[0], right[0], right[1], left[1]};
    double lo = corners[0];
    double hi = corners[0];
    for (const double v : corners) {
        if (!std::isfinite(v)) return;
        lo = v < lo ? v : lo;
        hi = v > hi ? v : hi;
    }
    const auto bounded = [&](double q) {
        return std::floor(std::fmin(std::fmax(q, coder.lowest), coder.highest + 1.0));
    };
    const auto kFrom = static_cast<std::int32_t>(bounded(lo * coder.inverse)) - 1;
    const auto kTo = static_cast<std::int32_t>(bounded(hi * coder.inverse)) + 1;
    traceCell(job, i, j, kFrom > job.levels.first ? kFrom : job.levels.first,
              kTo < job.levels.last ? kTo : job.levels.last, out);
}

// True for the lanes whose cell has four equal codes.
template <class V>
[[gnu::always_inline]] inline auto sameCodes(const double* left, const double* right, size_t j) {
    V a, b, c, d;
    loadLanes(a, left + j);
    loadLanes(b, left + j + 1);
    loadLanes(c, right + j);
    loadLanes(d, right + j + 1);
    return (a == b) & (a == c) & (c == d);
}

template <class V>
[[gnu::always_inline]] inline void scanColumnPair(const ContourJob& job, const Coder& coder,
                                                  std::uint32_t i, const double* left,
                                                  const double* right,
                                                  std::vector<ContourSegment>& out) {
    constexpr size_t w = laneCount<V>;
    const size_t cells = job.ny - 1;
    size_t j = 0;
    if constexpr (w > 1) {
        for (; j + w <= cells; j += w) {
            const auto same = sameCodes<V>(left, right, j);
            if (frame::allLanes(same)) continue;
            for (size_t m = 0; m < w; ++m) {
                if (same[m] == 0)
                    traceNarrowed(job, coder, i, static_cast<std::uint32_t>(j + m), out);
            }
        }
    }
    for (; j < cells; ++j) {
        if (!sameCodes<double>(left, right, j))
            traceNarrowed(job, coder, i, static_cast<std::uint32_t>(j), out);
    }
}

// Two columns of codes, the one of column i at slot i % 2: each is made once and serves the
// pairs on both of its sides, and they stay in the first-level cache on the program's grids.
template <class V>
[[gnu::always_inline]] inline void scanContours(const ContourJob& job, double* codes,
                                                std::vector<ContourSegment>& out) {
    const Coder coder = coderOf(job.levels);
    const size_t ny = job.ny;
    codeColumn<V>(job.values, ny, coder, codes);
    for (std::uint32_t i = 0; i + 1 < job.nx; ++i) {
        double* left = codes + (i % 2) * ny;
        double* right = codes + ((i + 1) % 2) * ny;
        codeColumn<V>(job.values + (size_t{i} + 1) * ny, ny, coder, right);
        scanColumnPair<V>(job, coder, i, left, right, out);
    }
}

}  // namespace contour
