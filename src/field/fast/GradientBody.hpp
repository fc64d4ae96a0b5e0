#pragma once

// The gradient (gradient, and gradientLargest with the arrows' search on the
// way) as a template over the lane type, held to gradientReference and
// maxSquaredMagnitudeReference.
// Included only by FrameBuilds.cpp, which builds it once per instruction set;
// every function is forced inline into the entry point of its instruction set.

#include <cstddef>
#include <cstdint>

#include "field/fast/FrameKernels.hpp"
#include "field/fast/FrameLanes.hpp"

namespace frame {

using std::ptrdiff_t;
using std::size_t;

// Writes (x, y) pairs for `count` nodes (a multiple of the lane count) of one
// column: x and y are formed lane-wise, then interleaved.
template <class V>
[[gnu::always_inline]] inline void storePairs(double* dst, const V& x, const V& y) {
    if constexpr (laneCount<V> == 1) {
        dst[0] = x;
        dst[1] = y;
    } else if constexpr (laneCount<V> == 2) {
        storeLanes(dst, V(__builtin_shufflevector(x, y, 0, 2)));
        storeLanes(dst + 2, V(__builtin_shufflevector(x, y, 1, 3)));
    } else {
        storeLanes(dst, V(__builtin_shufflevector(x, y, 0, 4, 1, 5)));
        storeLanes(dst + 4, V(__builtin_shufflevector(x, y, 2, 6, 3, 7)));
    }
}

// One group of lanes written past the caches; dst aligned to its width.
template <class V>
[[gnu::always_inline]] inline void streamLanes(double* dst, const V& v) {
#if defined(__clang__)
    __builtin_nontemporal_store(v, reinterpret_cast<V*>(dst));
#elif defined(QUELVANE_X86_INTRINSICS)
    if constexpr (laneCount<V> == 2) {
        __builtin_ia32_movntpd(dst, v);
    } else {
        __builtin_ia32_movntpd256(dst, v);
    }
#else
    storeLanes(dst, v);
#endif
}

// The same pairs written past the caches, for a field larger than the
// caches: only the arrow search reads it again, so caching it would only evict
// the potential and cost a read of every line before it is overwritten. dst is
// aligned to the width of the group (16 bytes for two lanes, 32 for four).
template <class V>
[[gnu::always_inline]] inline void streamPairs(double* dst, const V& x, const V& y) {
    if constexpr (laneCount<V> == 2) {
        streamLanes(dst, V(__builtin_shufflevector(x, y, 0, 2)));
        streamLanes(dst + 2, V(__builtin_shufflevector(x, y, 1, 3)));
    } else if constexpr (laneCount<V> == 4) {
        streamLanes(dst, V(__builtin_shufflevector(x, y, 0, 4, 1, 5)));
        streamLanes(dst + 4, V(__builtin_shufflevector(x, y, 2, 6, 3, 7)));
    } else {
        storePairs<V>(dst, x, y);
    }
}

// Where a column's (x, y) pairs go: stored, or streamed past the caches (every
// pair of the field, so that no line is half streamed and half cached); and,
// when Track, the largest x^2 + y^2 among them, lane by lane. Every square is
// +0, positive or NaN, and a NaN never wins the strict comparison, so the
// largest has one bit pattern whichever lane meets it first.
template <class V, bool Track>
struct PairSink {
    bool stream = false;
    V most{};
    double mostSingle = 0.0;

    [[gnu::always_inline]] void node(double* dst, double x, double y) {
#if defined(QUELVANE_X86_INTRINSICS)
        if (stream) {
            streamLanes(dst, Lanes2{x, y});
        } else
#endif
        {
            dst[0] = x;
            dst[1] = y;
        }
        if constexpr (Track) {
            const double sq = x * x + y * y;
            if (sq > mostSingle) mostSingle = sq;
        }
    }

    [[gnu::always_inline]] void group(double* dst, const V& x, const V& y) {
        if (stream) {
            streamPairs<V>(dst, x, y);
        } else {
            storePairs<V>(dst, x, y);
        }
        if constexpr (Track) {
            const V sq = x * x + y * y;
            most = larger(sq, most);
        }
    }

    double largest() const {
        double best = mostSingle;
        double lanes[laneCount<V>];
        storeLanes(lanes, most);
        for (const double v : lanes) {
            if (v > best) best = v;
        }
        return best;
    }
};

// Nodes first .. first + count - 1 of one column. The x difference is
// ahead - behind over stepX (columns chosen by the caller for the column's
// place); the y difference is central: ((S - N) * f) / (hy + hy).
template <class V, bool Track>
[[gnu::always_inline]] inline void gradientRun(const GradientJob& job, const double* ahead,
                                               const double* behind, const double* column,
                                               double* dst, ptrdiff_t first, ptrdiff_t count,
                                               double stepX, PairSink<V, Track>& sink) {
    const double f = job.factor;
    const double stepY = job.hy + job.hy;
    const auto single = [&](ptrdiff_t m) {
        sink.node(dst + 2 * m, (ahead[m] - behind[m]) * f / stepX,
                  (column[m + 1] - column[m - 1]) * f / stepY);
    };
    constexpr ptrdiff_t w = laneCount<V>;
    ptrdiff_t m = first;
    // Streamed groups start on their own alignment: one node by itself first
    // where the column's pairs start between two groups.
    const auto alignedAt = [&](ptrdiff_t node) {
        return reinterpret_cast<std::uintptr_t>(dst + 2 * node) % (w == 4 ? 32 : 16) == 0;
    };
    if (sink.stream && count > 0 && !alignedAt(m)) single(m++);
    for (; m + w <= first + count; m += w) {
        V a, b, s, n;
        loadLanes(a, ahead + m);
        loadLanes(b, behind + m);
        loadLanes(s, column + m + 1);
        loadLanes(n, column + m - 1);
        sink.group(dst + 2 * m, (a - b) * f / stepX, (s - n) * f / stepY);
    }
    for (; m < first + count; ++m)
        single(m);
}

// y component of a column's first and last node, one-sided as the reference.
inline double yEdge(const double* column, ptrdiff_t ny, bool last, const GradientJob& job) {
    if (ny < 2) return 0.0;
    if (!last) return (column[1] - column[0]) * job.factor / job.hy;
    return (column[ny - 1] - column[ny - 2]) * job.factor / job.hy;
}

template <class V, bool Track>
[[gnu::always_inline]] inline void gradientColumn(const GradientJob& job, ptrdiff_t i,
                                                  PairSink<V, Track>& sink) {
    const ptrdiff_t nx = job.nx;
    const ptrdiff_t ny = job.ny;
    const double* column = job.src + i * ny;
    double* dst = job.dst + 2 * i * ny;
    // Forward difference in the first column, backward in the last, central
    // between: ((ahead - behind) * f) / step.
    const double* ahead = i + 1 < nx ? column + ny : column;
    const double* behind = i > 0 ? column - ny : column;
    const double stepX = i == 0 || i == nx - 1 ? job.hx : job.hx + job.hx;
    const auto x = [&](ptrdiff_t j) {
        return nx < 2 ? 0.0 : (ahead[j] - behind[j]) * job.factor / stepX;
    };
    sink.node(dst, x(0), yEdge(column, ny, false, job));
    if (ny < 2) return;
    if (nx < 2) {
        // A single column has no x stencil: every x component is zero.
        for (ptrdiff_t j = 1; j + 1 < ny; ++j) {
            sink.node(dst + 2 * j, 0.0,
                      (column[j + 1] - column[j - 1]) * job.factor / (job.hy + job.hy));
        }
    } else {
        gradientRun<V>(job, ahead, behind, column, dst, 1, ny - 2, stepX, sink);
    }
    sink.node(dst + 2 * (ny - 1), x(ny - 1), yEdge(column, ny, true, job));
}

// A field this large leaves the caches before the arrow search reads it again
// (the shared cache here holds 32 MiB); a smaller one is still there, and
// writing it past the caches would only send that search to main memory.
constexpr std::size_t streamAboveBytes = 16u << 20;

inline std::size_t fieldBytes(const GradientJob& job) {
    return 2 * sizeof(double) * std::size_t{job.nx} * job.ny;
}

// The gradient of the job; with Track also the largest x^2 + y^2 over every
// node (from 0.0), else 0.0.
template <class V, bool Track>
[[gnu::always_inline]] inline double gradient(const GradientJob& job) {
    PairSink<V, Track> sink;
#if defined(QUELVANE_X86_INTRINSICS)
    const bool stream = laneCount<V> > 1 && fieldBytes(job) > streamAboveBytes &&
                        reinterpret_cast<std::uintptr_t>(job.dst) % 16 == 0;
#else
    const bool stream = false;
#endif
    std::uint32_t nextCached = job.cachedStride > 0 ? job.cachedFirst : job.nx;
    for (std::uint32_t i = 0; i < job.nx; ++i) {
        sink.stream = stream && i != nextCached;
        if (i == nextCached) nextCached += job.cachedStride;
        gradientColumn<V>(job, i, sink);
    }
#if defined(QUELVANE_X86_INTRINSICS)
    // Streamed stores are weakly ordered: fence them before anyone reads.
    if (sink.stream) _mm_sfence();
#endif
    return sink.largest();
}

}  // namespace frame
