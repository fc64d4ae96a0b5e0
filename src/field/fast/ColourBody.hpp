#pragma once

// The colour map (paintBlueRed) as a template over the lane type, held to
// paintReference with blueRedMap.
// Included only by FrameBuilds.cpp, which builds it once per instruction set;
// every function is forced inline into the entry point of its instruction set.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "field/fast/FrameKernels.hpp"
#include "field/fast/FrameLanes.hpp"

namespace frame {

using std::ptrdiff_t;
using std::size_t;

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

// Each lane rounded toward zero. Only the colour map's products come here, and
// only a whole part below 255 is used: so the conversion through integers is
// given lanes limited to -1024 .. 1024 (NaN to 1024), which stay inside the
// integers' range. AVX and wasm SIMD round in one instruction and keep a NaN
// or a large lane as it is, which the caller rejects all the same.
template <class V>
[[gnu::always_inline]] inline V wholePart(const V& v) {
#if defined(QUELVANE_AVX_BUILTINS)
    if constexpr (laneCount<V> == 4) {
        return __builtin_ia32_roundpd256(v, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC);
    }
#endif
#if defined(__wasm_simd128__)
    if constexpr (laneCount<V> == 2) return __builtin_wasm_trunc_f64x2(v);
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

}  // namespace frame
