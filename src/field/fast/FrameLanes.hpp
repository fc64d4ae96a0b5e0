#pragma once

// What the frame kernels share besides the lane groups of Lanes.hpp: 32-bit
// integer lanes, lane-wise choice and truncation, and the test of a whole
// comparison mask. Included only by the frame kernels' *Body.hpp files.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "field/fast/Lanes.hpp"

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

// Truncation toward zero, as a static_cast of each lane; every lane must lie
// inside the integers' range.
template <class V>
[[gnu::always_inline]] inline typename IntLanes<V>::type truncate(const V& v) {
    if constexpr (sizeof(V) == sizeof(double)) {
        return static_cast<std::int32_t>(v);
    } else {
#if defined(__wasm_simd128__)
        // Inside the range wasm's saturating truncation is the plain one. Clang
        // converts two lanes to two integers lane by lane, each guarded against
        // a trap, and folds the taking of the low two lanes of the vector
        // instruction's four back into that: the empty asm keeps the four.
        if constexpr (laneCount<V> == 2) {
            Int4 four = __builtin_wasm_trunc_sat_zero_s_f64x2_i32x4(v);
            __asm__("" : "+r"(four));
            return __builtin_shufflevector(four, four, 0, 1);
        }
#endif
        return __builtin_convertvector(v, typename IntLanes<V>::type);
    }
}

// The bits of a double. std::memcpy rather than std::bit_cast, which some
// standard libraries (emscripten 3.1's libc++) do not have yet; compilers
// make both one move.
[[gnu::always_inline]] inline std::uint64_t bitsOf(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

// cond ? a : b lane by lane. For single doubles the choice is made with bit
// masks: a branch on noisy values would be mispredicted half of the time.
template <class V, class Cond>
[[gnu::always_inline]] inline V choose(const Cond& cond, const V& a, const V& b) {
    if constexpr (sizeof(V) == sizeof(double)) {
        const std::uint64_t mask = 0 - static_cast<std::uint64_t>(cond);
        const std::uint64_t bits = (bitsOf(a) & mask) | (bitsOf(b) & ~mask);
        double chosen;
        std::memcpy(&chosen, &bits, sizeof chosen);
        return chosen;
    } else {
        return cond ? a : b;
    }
}

// v where v > most, else most, lane by lane (a NaN v never wins): the step of
// every search for the largest. wasm's pmax(a, b) is a < b ? b : a, this very
// choice in one instruction, where clang would compare and then choose bits.
template <class V>
[[gnu::always_inline]] inline V larger(const V& v, const V& most) {
#if defined(__wasm_simd128__)
    if constexpr (laneCount<V> == 2) return __builtin_wasm_pmax_f64x2(most, v);
#endif
    return v > most ? v : most;
}

// v where v < least, else least, lane by lane; wasm's pmin(a, b) is b < a ? b : a.
template <class V>
[[gnu::always_inline]] inline V smaller(const V& v, const V& least) {
#if defined(__wasm_simd128__)
    if constexpr (laneCount<V> == 2) return __builtin_wasm_pmin_f64x2(least, v);
#endif
    return v < least ? v : least;
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
#if defined(__wasm_simd128__)
    if constexpr (sizeof(M) == 16) {
        return __builtin_wasm_all_true_i64x2(mask);
    }
#endif
    bool all = true;
    for (std::size_t m = 0; m < sizeof(M) / sizeof(mask[0]); ++m)
        all = all && mask[m] != 0;
    return all;
}

}  // namespace frame
