// Lane groups pass by value only between functions forced inline into one
// entry point in this file, so GCC's note that passing them without AVX changes
// the ABI concerns no real call. The warning is reported where the templates
// are defined and at the end of the file, hence a setting for the whole file.
#pragma GCC diagnostic ignored "-Wpsabi"

#include <cassert>

#include "field/fast/ColourBody.hpp"
#include "field/fast/FrameKernels.hpp"
#include "field/fast/GradientBody.hpp"
#include "field/fast/MagnitudeBody.hpp"
#include "field/fast/RangeBody.hpp"

// Each entry point instantiates the templates for one lane type and is built
// for its instruction set; `flatten` pulls every template into it.

namespace {

using namespace frame;

[[gnu::flatten]] ValueRange valueRangePortable(const double* values, std::size_t n) {
    return valueRange<double>(values, n);
}
[[gnu::flatten]] void paintBlueRedPortable(const PaintJob& job) {
    paintBlueRed<double>(job);
}
[[gnu::flatten]] void gradientPortable(const GradientJob& job) {
    gradient<double, false>(job);
}
[[gnu::flatten]] double gradientLargestPortable(const GradientJob& job) {
    return gradient<double, true>(job);
}
[[gnu::flatten]] double maxSquaredMagnitudePortable(const double* xy, std::size_t nodes) {
    return maxSquaredMagnitude<double>(xy, nodes);
}
const FrameKernels portable{valueRangePortable, paintBlueRedPortable, gradientPortable,
                            gradientLargestPortable, maxSquaredMagnitudePortable};

#if defined(__x86_64__) || defined(__i386__)
[[gnu::target("sse2"), gnu::flatten]] ValueRange valueRangeSse2(const double* values,
                                                                std::size_t n) {
    return valueRange<Lanes2>(values, n);
}
[[gnu::target("sse2"), gnu::flatten]] void paintBlueRedSse2(const PaintJob& job) {
    paintBlueRed<Lanes2>(job);
}
[[gnu::target("sse2"), gnu::flatten]] void gradientSse2(const GradientJob& job) {
    gradient<Lanes2, false>(job);
}
[[gnu::target("sse2"), gnu::flatten]] double gradientLargestSse2(const GradientJob& job) {
    return gradient<Lanes2, true>(job);
}
[[gnu::target("sse2"), gnu::flatten]] double maxSquaredMagnitudeSse2(const double* xy,
                                                                     std::size_t nodes) {
    return maxSquaredMagnitude<Lanes2>(xy, nodes);
}
const FrameKernels sse2{valueRangeSse2, paintBlueRedSse2, gradientSse2, gradientLargestSse2,
                        maxSquaredMagnitudeSse2};

[[gnu::target("avx2"), gnu::flatten]] ValueRange valueRangeAvx2(const double* values,
                                                                std::size_t n) {
    return valueRange<Lanes4>(values, n);
}
[[gnu::target("avx2"), gnu::flatten]] void paintBlueRedAvx2(const PaintJob& job) {
    paintBlueRed<Lanes4>(job);
}
[[gnu::target("avx2"), gnu::flatten]] void gradientAvx2(const GradientJob& job) {
    gradient<Lanes4, false>(job);
}
[[gnu::target("avx2"), gnu::flatten]] double gradientLargestAvx2(const GradientJob& job) {
    return gradient<Lanes4, true>(job);
}
[[gnu::target("avx2"), gnu::flatten]] double maxSquaredMagnitudeAvx2(const double* xy,
                                                                     std::size_t nodes) {
    return maxSquaredMagnitude<Lanes4>(xy, nodes);
}
const FrameKernels avx2{valueRangeAvx2, paintBlueRedAvx2, gradientAvx2, gradientLargestAvx2,
                        maxSquaredMagnitudeAvx2};
#endif

#if defined(__aarch64__)
// Advanced SIMD is in every arm64 build: two lanes need no target attribute.
[[gnu::flatten]] ValueRange valueRangeNeon(const double* values, std::size_t n) {
    return valueRange<Lanes2>(values, n);
}
[[gnu::flatten]] void paintBlueRedNeon(const PaintJob& job) {
    paintBlueRed<Lanes2>(job);
}
[[gnu::flatten]] void gradientNeon(const GradientJob& job) {
    gradient<Lanes2, false>(job);
}
[[gnu::flatten]] double gradientLargestNeon(const GradientJob& job) {
    return gradient<Lanes2, true>(job);
}
[[gnu::flatten]] double maxSquaredMagnitudeNeon(const double* xy, std::size_t nodes) {
    return maxSquaredMagnitude<Lanes2>(xy, nodes);
}
const FrameKernels neon{valueRangeNeon, paintBlueRedNeon, gradientNeon, gradientLargestNeon,
                        maxSquaredMagnitudeNeon};
#endif

#if defined(__wasm_simd128__)
// The whole module is built with -msimd128: two lanes need no target attribute.
[[gnu::flatten]] ValueRange valueRangeWasmSimd(const double* values, std::size_t n) {
    return valueRange<Lanes2>(values, n);
}
[[gnu::flatten]] void paintBlueRedWasmSimd(const PaintJob& job) {
    paintBlueRed<Lanes2>(job);
}
[[gnu::flatten]] void gradientWasmSimd(const GradientJob& job) {
    gradient<Lanes2, false>(job);
}
[[gnu::flatten]] double gradientLargestWasmSimd(const GradientJob& job) {
    return gradient<Lanes2, true>(job);
}
[[gnu::flatten]] double maxSquaredMagnitudeWasmSimd(const double* xy, std::size_t nodes) {
    return maxSquaredMagnitude<Lanes2>(xy, nodes);
}
const FrameKernels wasmSimd{valueRangeWasmSimd, paintBlueRedWasmSimd, gradientWasmSimd,
                            gradientLargestWasmSimd, maxSquaredMagnitudeWasmSimd};
#endif

}  // namespace

const FrameKernels& frameKernels(SimdLevel level) {
    assert(simdLevelSupported(level));
#if defined(__x86_64__) || defined(__i386__)
    if (level == SimdLevel::Avx2) return avx2;
    if (level == SimdLevel::Sse2) return sse2;
#endif
#if defined(__aarch64__)
    if (level == SimdLevel::Neon) return neon;
#endif
#if defined(__wasm_simd128__)
    if (level == SimdLevel::WasmSimd) return wasmSimd;
#endif
    (void)level;
    return portable;
}
