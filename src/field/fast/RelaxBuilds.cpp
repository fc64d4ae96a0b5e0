// Lane groups pass by value only between functions forced inline into one
// entry point in this file, so GCC's note that passing them without AVX changes the
// ABI concerns no real call. The warning is reported where the templates
// are defined and at the end of the file, hence a setting for the whole file.
#pragma GCC diagnostic ignored "-Wpsabi"

#include "field/fast/RelaxKernel.hpp"

#include <cassert>

#include "field/fast/RelaxBody.hpp"

// Each entry point instantiates the templates for one lane type and is built
// for its instruction set; `flatten` pulls every template into it, so no
// instruction of a wider set leaks into code that runs on any processor.

namespace {

using namespace diagonal;

[[gnu::flatten]] void relaxChunkPortable(const DiagonalJob& job, int sweeps) {
    relaxChunkAnyForm<double>(job, sweeps);
}

#if defined(__x86_64__) || defined(__i386__)
[[gnu::target("sse2"), gnu::flatten]] void relaxChunkSse2(const DiagonalJob& job, int sweeps) {
    relaxChunkAnyForm<Lanes2>(job, sweeps);
}

[[gnu::target("avx2"), gnu::flatten]] void relaxChunkAvx2(const DiagonalJob& job, int sweeps) {
    relaxChunkAnyForm<Lanes4>(job, sweeps);
}
#endif

#if defined(__aarch64__)
// Advanced SIMD is in every arm64 build: two lanes need no target attribute.
[[gnu::flatten]] void relaxChunkNeon(const DiagonalJob& job, int sweeps) {
    relaxChunkAnyForm<Lanes2>(job, sweeps);
}
#endif

#if defined(__wasm_simd128__)
// The whole module is built with -msimd128: two lanes need no target attribute.
[[gnu::flatten]] void relaxChunkWasmSimd(const DiagonalJob& job, int sweeps) {
    relaxChunkAnyForm<Lanes2>(job, sweeps);
}
#endif

}  // namespace

DiagonalKernel diagonalKernel(SimdLevel level) {
    assert(simdLevelSupported(level));
#if defined(__x86_64__) || defined(__i386__)
    if (level == SimdLevel::Avx2) return relaxChunkAvx2;
    if (level == SimdLevel::Sse2) return relaxChunkSse2;
#endif
#if defined(__aarch64__)
    if (level == SimdLevel::Neon) return relaxChunkNeon;
#endif
#if defined(__wasm_simd128__)
    if (level == SimdLevel::WasmSimd) return relaxChunkWasmSimd;
#endif
    (void)level;
    return relaxChunkPortable;
}
