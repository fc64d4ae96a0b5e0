#pragma once

#include <vector>

// The instruction sets the fast kernels are built for. Every level gives the
// same bits; they differ only in how many nodes one instruction works on. SSE2
// and AVX2 exist on x86 builds, NEON (Advanced SIMD, two lanes) on arm64 builds,
// wasm SIMD (two lanes) in WebAssembly builds made with -msimd128.
enum class SimdLevel : int { Portable = 0, Sse2 = 1, Avx2 = 2, Neon = 3, WasmSimd = 4 };

// The most capable level this processor runs, decided once at run time.
SimdLevel bestSimdLevel();

bool simdLevelSupported(SimdLevel level);

// Every level this processor runs, Portable first: what the tests force in turn.
std::vector<SimdLevel> supportedSimdLevels();

const char* simdLevelName(SimdLevel level);
