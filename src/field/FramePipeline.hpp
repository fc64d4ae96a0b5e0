#pragma once

// The frame kernels as templates over the lane type. Included only by
// FrameKernels.cpp, which builds them once per instruction set; every function
// is forced inline into the entry point of its instruction set.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "field/FrameKernels.hpp"
#include "field/Lanes.hpp"

#if defined(__x86_64__)
#include <immintrin.h>
#define QUELVANE_X86_INTRINSICS 1
// GCC expands the AVX builtins after inlining them into the functions built for
// AVX2; clang wants the feature on every function that names them, so its
// builds take the plain vector code for those few steps (same results).
#if !defined(__clang__)
#define QUELVANE_AVX_BUILTINS 1
#endif
#endif

namespace frame {

using std::ptrdiff_t;
using std::size_t;

// 32-bit integers, one per lane of V: what a channel truncates to.
#if defined(__GNUC__)
using Int2 = std::int32_t __attribute__((vector_size(8)));
using Int4 = std::int32_t __attribute__((vector_size(16)));
using Mask2 = std::int64_t __attribute__((vector_size(16)));
using Mask4 = std::int64_t __attribute__((vector_size(32)));
#endif

template <class V>
struct IntLanes;
template <>
struct IntLanes<double> {
    using type = std::int32_t;
};
#if defined(__GNUC__)
template <>
struct IntLanes<Lanes2> {
    using type = Int2;
};
template <>
struct IntLanes<Lanes4> {
    using type = Int4;
};
#endif

// Truncation toward zero, as a static_cast of each lane.
template <class V>
[[gnu::always_inline]] inline typename IntLanes<V>::type truncate(const V& v) {
    if constexpr (sizeof(V) == sizeof(double)) {
        return static_cast<std::int32_t>(v);
    } else {
        return __builtin_convertvector(v, typename IntLanes<V>::type);
    }
}

// cond ? a : b lane by lane. For single doubles the choice is made with bit
// masks: a branch on noisy values would be mispredicted half of the time.
template <class V, class Cond>
[[gnu::always_inline]] inline V choose(const Cond& cond, const V& a, const V& b) {
    if constexpr (sizeof(V) == sizeof(double)) {
        const std::uint64_t mask = 0 - static_cast<std::uint64_t>(cond);
        const std::uint64_t bits =
            (std::bit_cast<std::uint64_t>(a) & mask) | (std::bit_cast<std::uint64_t>(b) & ~mask);
        return std::bit_cast<double>(bits);
    } else {
        return cond ? a : b;
    }
}

// ---- range ----

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
            hi[g] = v > hi[g] ? v : hi[g];
            lo[g] = v < lo[g] ? v : lo[g];
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

// ---- colour map ----

// blueRedMap's channel: the product truncated toward zero, saturated outside
// 0 .. 255; a NaN product fails both tests and gives 0.
template <class V>
[[gnu::always_inline]] inline V channel(const V& product) {
    const V zero{};
    const V positive = choose<V>(product > 0.0, product, zero);
    return choose<V>(positive >= 255.0, zero + 255.0, positive);
}

// blueRedMap((v - low) / span) as little-endian RGBA words (red in the lowest
// byte, green 0, blue, alpha 255), both comparisons of the map done for every
// lane, so that noisy values cost no mispredicted branch.
template <class V>
[[gnu::always_inline]] inline typename IntLanes<V>::type blueRedWord(const V& v, double low,
                                                                     double span) {
    const V t = (v - low) / span;
    const V zero{};
    const V blue = channel<V>(choose<V>(t < 0.5, (1.0 - (t + t)) * 255.0, zero));
    const V red = channel<V>(choose<V>(t > 0.5, (t - 0.5) * 510.0, zero));
    return truncate<V>(red) | (truncate<V>(blue) << 16) | static_cast<std::int32_t>(0xFF000000u);
}

// True when every lane of a comparison's mask is set.
template <class M>
[[gnu::always_inline]] inline bool allLanes(const M& mask) {
#if defined(QUELVANE_AVX_BUILTINS)
    if constexpr (sizeof(M) == 32) {
        return __builtin_ia32_movmskpd256(reinterpret_cast<__m256d>(mask)) == 0xF;
    }
#endif
#if defined(QUELVANE_X86_INTRINSICS)
    if constexpr (sizeof(M) == 16) {
        return _mm_movemask_pd(reinterpret_cast<__m128d>(mask)) == 0x3;
    }
#endif
    bool all = true;
    for (std::size_t m = 0; m < sizeof(M) / sizeof(mask[0]); ++m)
        all = all && mask[m] != 0;
    return all;
}

// Each lane rounded toward zero. Only products of the colour map come here,
// and its check refuses any at or above 255 or below 0 whatever their whole
// part: so the conversion through integers is given lanes limited to
// -1024 .. 1024 (NaN to 1024), which stay inside the integers' range.
template <class V>
[[gnu::always_inline]] inline V wholePart(const V& v) {
#if defined(QUELVANE_AVX_BUILTINS)
    if constexpr (laneCount<V> == 4) {
        return __builtin_ia32_roundpd256(v, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
    }
#endif
    const V below = v < 1024.0 ? v : V{} + 1024.0;
    const V inside = below > -1024.0 ? below : V{} - 1024.0;
    return __builtin_convertvector(truncate<V>(inside), V);
}

// Where t = (v - low) / span is below 0.5 the colour is blue
// (1 - (t + t)) * 255 truncated, above it red (t - 0.5) * 510 truncated: both
// are close to |s| with s = (v - low) * (510 / span) - 255, which costs no
// division. The last bits of |s| differ from those of the exact product (by
// less than 1e-12 for t in 0 .. 1), so only the lanes where |s| lies more than
// `colourMargin` inside an integer interval below 255 are certain to truncate
// like the exact product; |s| above the margin also puts t on the side of 0.5
// that the sign of s says. Only groups with a lane outside that divide and
// take the map as written (zeros of the potential give t = 0.5, the extremes
// give 255; NaN, infinities, values outside the range): about one in a
// hundred for a potential held at 0 on its sides, where the division and the
// two branches of the map would cost more than the rest of the map together.
constexpr double colourMargin = 1e-9;

struct ColourConstants {
    double low;
    double span;
    double slope;  // 510 / span
};

// negative where s has its sign bit set, else positive.
template <class V>
[[gnu::always_inline]] inline V bySign(const V& s, const V& negative, const V& positive) {
#if defined(QUELVANE_AVX_BUILTINS)
    if constexpr (laneCount<V> == 4) {
        return __builtin_ia32_blendvpd256(positive, negative, s);
    }
#endif
    return s < 0.0 ? negative : positive;
}

template <class V>
[[gnu::always_inline]] inline V absolute(const V& v) {
    using Bits = decltype(v < v);
    constexpr auto magnitude = static_cast<std::int64_t>(~(std::uint64_t{1} << 63));
    return reinterpret_cast<V>(reinterpret_cast<Bits>(v) & magnitude);
}

template <class V>
[[gnu::always_inline]] inline typename IntLanes<V>::type blueRedWordBySlope(
    const V& v, const ColourConstants& c) {
    const V s = (v - c.low) * c.slope - 255.0;
    const V product = absolute<V>(s);
    const V channel = wholePart<V>(product);
    const V fraction = product - channel;
    const auto certain =
        (fraction > colourMargin) & (fraction < 1.0 - colourMargin) & (product < 255.0);
    if (!allLanes(certain)) [[unlikely]]
        return blueRedWord<V>(v, c.low, c.span);
    // Alpha 255 and the channel at bit 16 (blue) or 0 (red), formed exactly in
    // double: 0xFF000000 as a signed word is -2^24.
    const V shift = bySign<V>(s, V{} + 65536.0, V{} + 1.0);
    return truncate<V>(channel * shift - 16777216.0);
}

// Image pixel (i, j) at word j * nx + i.
inline std::uint8_t* pixelAt(const PaintJob& job, ptrdiff_t i, ptrdiff_t j) {
    return job.rgba + 4 * (j * static_cast<ptrdiff_t>(job.nx) + i);
}

// A square of w by w pixels (w the lane count): each column's w words come
// from w consecutive values, and a transpose turns them into w words of one
// image row, stored together.
template <class V>
[[gnu::always_inline]] inline void paintSquare(const PaintJob& job, ptrdiff_t i, ptrdiff_t j,
                                               const ColourConstants& colour) {
    using Words = typename IntLanes<V>::type;
    constexpr ptrdiff_t w = laneCount<V>;
    Words col[w];
    for (ptrdiff_t c = 0; c < w; ++c) {
        V v;
        loadLanes(v, job.values + (i + c) * static_cast<ptrdiff_t>(job.ny) + j);
        if constexpr (w == 1) {
            col[c] = blueRedWord<V>(v, colour.low, colour.span);
        } else {
            col[c] = blueRedWordBySlope<V>(v, colour);
        }
    }
    Words row[w];
    if constexpr (w == 1) {
        row[0] = col[0];
    } else if constexpr (w == 2) {
        row[0] = __builtin_shufflevector(col[0], col[1], 0, 2);
        row[1] = __builtin_shufflevector(col[0], col[1], 1, 3);
    } else {
        const Words ab01 = __builtin_shufflevector(col[0], col[1], 0, 4, 1, 5);
        const Words ab23 = __builtin_shufflevector(col[0], col[1], 2, 6, 3, 7);
        const Words cd01 = __builtin_shufflevector(col[2], col[3], 0, 4, 1, 5);
        const Words cd23 = __builtin_shufflevector(col[2], col[3], 2, 6, 3, 7);
        row[0] = __builtin_shufflevector(ab01, cd01, 0, 1, 4, 5);
        row[1] = __builtin_shufflevector(ab01, cd01, 2, 3, 6, 7);
        row[2] = __builtin_shufflevector(ab23, cd23, 0, 1, 4, 5);
        row[3] = __builtin_shufflevector(ab23, cd23, 2, 3, 6, 7);
    }
    for (ptrdiff_t r = 0; r < w; ++r)
        std::memcpy(pixelAt(job, i, j + r), &row[r], sizeof row[r]);
}

inline void paintPixel(const PaintJob& job, ptrdiff_t i, ptrdiff_t j,
                       const ColourConstants& colour) {
    const std::int32_t word = blueRedWord<double>(
        job.values[i * static_cast<ptrdiff_t>(job.ny) + j], colour.low, colour.span);
    std::memcpy(pixelAt(job, i, j), &word, sizeof word);
}

// The image is row-major while the values are x-major: small tiles (a cache
// line of 8 values down each column, 32 bytes along each image row) keep the
// transposition within a few lines and pages; 8 by 8 measured best here.
constexpr ptrdiff_t tileWidth = 8;
constexpr ptrdiff_t tileHeight = 8;

template <class V>
[[gnu::always_inline]] inline void paintTile(const PaintJob& job, ptrdiff_t i0, ptrdiff_t j0,
                                             ptrdiff_t width, ptrdiff_t height,
                                             const ColourConstants& colour) {
    constexpr ptrdiff_t w = laneCount<V>;
    const ptrdiff_t fullWidth = width / w * w;
    const ptrdiff_t fullHeight = height / w * w;
    for (ptrdiff_t c = 0; c < fullWidth; c += w) {
        for (ptrdiff_t r = 0; r < fullHeight; r += w)
            paintSquare<V>(job, i0 + c, j0 + r, colour);
    }
    // The ragged edges of the image, pixel by pixel.
    for (ptrdiff_t c = 0; c < width; ++c) {
        for (ptrdiff_t r = c < fullWidth ? fullHeight : 0; r < height; ++r) {
            paintPixel(job, i0 + c, j0 + r, colour);
        }
    }
}

template <class V>
[[gnu::always_inline]] inline void paintBlueRed(const PaintJob& job) {
    const double span = job.high - job.low;
    const ColourConstants colour{job.low, span, 510.0 / span};
    const ptrdiff_t nx = job.nx;
    const ptrdiff_t ny = job.ny;
    for (ptrdiff_t i0 = 0; i0 < nx; i0 += tileWidth) {
        for (ptrdiff_t j0 = 0; j0 < ny; j0 += tileHeight) {
            paintTile<V>(job, i0, j0, std::min(tileWidth, nx - i0), std::min(tileHeight, ny - j0),
                         colour);
        }
    }
}

// ---- gradient ----

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
            most = sq > most ? sq : most;
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

// ---- arrow normalisation ----

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
            most = sq > most ? sq : most;
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
