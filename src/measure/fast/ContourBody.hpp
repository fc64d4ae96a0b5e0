#pragma once

// The contour scan (contoursFast) as a template over the lane type, held to contoursReference.
// Included only by ContourBuilds.cpp, which builds it once per instruction set; every function
// is forced inline into the entry point of its instruction set.
//
// The grid is taken in blocks of blockColumns column pairs. For each row of nodes the block's
// smallest and largest value are found (lanes along the rows, NaNs passed over); a row of
// cells then spans the values from lo, the smaller of its two rows' smallest, to hi. lo gets a
// code c, the number of the levels below it: level(c) < lo <= level(c + 1), with the levels
// computed as everywhere (levelValue). When hi <= level(c + 1) too, every corner of the row's
// cells lies between the same two levels and the row holds no line; otherwise only the levels
// from c + 1 to the code of hi can cross it. Those rows are then walked cell by cell in the
// reference's order (x outer, y inner), each cell that has corners on both sides of the
// row's levels through traceCell, the reference's own routine.
//
// Why the code is exact. q = v * (1 / step) differs from v / step, and level(k) / step from k,
// by far less than 1/16 of a level while |q| < 2^46; so the integer nearest q - 7/16 is c or
// c + 1, and one comparison with its level settles which. Beyond 2^46 levels a value, and the
// level after its code, lie beyond every level of the grid (|k| <= 2^24) on the same side,
// which is all the test needs there. A NaN is never the smallest or the largest, and a cell
// with a NaN or an infinite corner holds no line in the reference, whatever the scan makes of
// it.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <vector>

#include "field/fast/FrameLanes.hpp"
#include "measure/Contours.hpp"
#include "measure/fast/ContourFast.hpp"

namespace contour {

using std::size_t;

// Column pairs per block: the block's rows are tested once for all of them, and a row that a
// line crosses costs a look at each of its cells.
inline constexpr std::uint32_t blockColumns = 8;

struct Coder {
    double step;
    double inverse;
};

// The guess rests on a reciprocal with the full precision of a normal double.
inline bool codable(const ContourLevels& levels) {
    const double inverse = 1.0 / levels.step;
    return inverse >= std::numeric_limits<double>::min() &&
           inverse <= std::numeric_limits<double>::max();
}

// The integer nearest q - 7/16 by the shift of 1.5 * 2^52 (exact while |q| < 2^51), moved down
// by one when v is not above its level.
template <class V>
[[gnu::always_inline]] inline V codeOf(const V& v, const Coder& coder) {
    constexpr double shift = 6755399441055744.0;
    const V guess = ((v * coder.inverse - 0.4375) + shift) - shift;
    return frame::choose(v > guess * coder.step, guess, guess - 1.0);
}

// Smallest and largest of each row of nodes over columns i0 .. i0 + pairs, into lo and hi.
// Two groups of rows at a time, so that the loads of one wait while the other compares.
template <class V>
[[gnu::always_inline]] inline void rowExtremes(const double* block, size_t ny, std::uint32_t pairs,
                                               double* lo, double* hi) {
    constexpr size_t w = laneCount<V>;
    constexpr double inf = std::numeric_limits<double>::infinity();
    size_t j = 0;
    const auto extremes = [&](auto lanes, auto groups) {
        using L = decltype(lanes);
        constexpr size_t g = decltype(groups)::value;
        constexpr size_t width = sizeof(L) / sizeof(double);
        L least[g];
        L most[g];
        for (size_t k = 0; k < g; ++k) {
            least[k] = L{} + inf;
            most[k] = L{} - inf;
        }
        for (std::uint32_t c = 0; c <= pairs; ++c) {
            for (size_t k = 0; k < g; ++k) {
                L v;
                loadLanes(v, block + c * ny + j + k * width);
                least[k] = frame::smaller(v, least[k]);
                most[k] = frame::larger(v, most[k]);
            }
        }
        for (size_t k = 0; k < g; ++k) {
            storeLanes(lo + j + k * width, least[k]);
            storeLanes(hi + j + k * width, most[k]);
        }
        j += g * width;
    };
    while (j + 2 * w <= ny)
        extremes(V{}, std::integral_constant<size_t, 2>{});
    while (j < ny)
        extremes(0.0, std::integral_constant<size_t, 1>{});
}

// A code as a level index within first - 1 .. last, so it converts to an integer.
inline std::int32_t clampedIndex(double code, const ContourLevels& levels) {
    const double low = levels.first - 1.0;
    const double high = levels.last;
    return static_cast<std::int32_t>(code < low ? low : code > high ? high : code);
}

// The rows of cells whose values span more than one code: those whose largest value lies
// above the level next above their smallest.
template <class V>
[[gnu::always_inline]] inline void findStrips(const ContourJob& job, const Coder& coder,
                                              const double* lo, const double* hi,
                                              std::vector<ContourStrip>& strips) {
    constexpr size_t w = laneCount<V>;
    const size_t cells = job.ny - 1;
    strips.clear();
    const auto addStrip = [&](size_t j, double low, double high) {
        strips.push_back({static_cast<std::uint32_t>(j), clampedIndex(low, job.levels) + 1,
                          clampedIndex(codeOf(high, coder), job.levels)});
    };
    size_t j = 0;
    if constexpr (w > 1) {
        for (; j + w <= cells; j += w) {
            V a, b, c, d;
            loadLanes(a, lo + j);
            loadLanes(b, lo + j + 1);
            loadLanes(c, hi + j);
            loadLanes(d, hi + j + 1);
            const V low = codeOf(frame::smaller(a, b), coder);
            const V high = frame::larger(c, d);
            if (frame::allLanes((high > (low + 1.0) * coder.step) == 0)) continue;
            for (size_t m = 0; m < w; ++m) {
                if (high[m] > (low[m] + 1.0) * coder.step) addStrip(j + m, low[m], high[m]);
            }
        }
    }
    for (; j < cells; ++j) {
        const double low = codeOf(lo[j] < lo[j + 1] ? lo[j] : lo[j + 1], coder);
        const double high = hi[j] > hi[j + 1] ? hi[j] : hi[j + 1];
        if (high > (low + 1.0) * coder.step) addStrip(j, low, high);
    }
}

// A cell none of whose corners lies above the lowest of the levels, or all above the highest,
// holds none of them. A NaN corner is never above: its cell, which holds no line, may be
// passed over by the first test or is left to traceCell.
inline void traceStripCell(const ContourJob& job, std::uint32_t i, const ContourStrip& strip,
                           std::vector<ContourSegment>& out) {
    if (strip.kFrom > strip.kTo) return;
    const double* left = job.values + size_t{i} * job.ny + strip.j;
    const double* right = left + job.ny;
    const double a = left[0];
    const double b = right[0];
    const double c = right[1];
    const double d = left[1];
    const double lowest = levelValue(job.levels, strip.kFrom);
    const double highest = levelValue(job.levels, strip.kTo);
    if (!(a > lowest) && !(b > lowest) && !(c > lowest) && !(d > lowest)) return;
    if (a > highest && b > highest && c > highest && d > highest) return;
    traceCell(job, i, strip.j, strip.kFrom, strip.kTo, out);
}

template <class V>
[[gnu::always_inline]] inline void scanContours(const ContourJob& job, ContourWorkspace& work,
                                                std::vector<ContourSegment>& out) {
    const Coder coder{job.levels.step, 1.0 / job.levels.step};
    const size_t ny = job.ny;
    double* lo = work.rows.data();
    double* hi = lo + ny;
    for (std::uint32_t i0 = 0; i0 + 1 < job.nx; i0 += blockColumns) {
        const std::uint32_t pairs = job.nx - 1 - i0 < blockColumns ? job.nx - 1 - i0 : blockColumns;
        rowExtremes<V>(job.values + size_t{i0} * ny, ny, pairs, lo, hi);
        findStrips<V>(job, coder, lo, hi, work.strips);
        for (std::uint32_t i = i0; i < i0 + pairs; ++i) {
            for (const ContourStrip& strip : work.strips)
                traceStripCell(job, i, strip, out);
        }
    }
}

}  // namespace contour
