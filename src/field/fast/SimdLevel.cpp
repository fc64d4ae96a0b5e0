#include "field/fast/SimdLevel.hpp"

namespace {

// From least to most capable: the best level is the last one the processor runs.
constexpr SimdLevel levels[] = {SimdLevel::Portable, SimdLevel::Sse2, SimdLevel::Avx2,
                                SimdLevel::Neon, SimdLevel::WasmSimd};

#if defined(__x86_64__) || defined(__i386__)
bool processorRuns(SimdLevel level) {
    // The vector paths are compiled for their instruction set regardless of the
    // build flags, so only the processor can say whether they may run. The
    // explicit init makes the answer right even during static initialisation.
    __builtin_cpu_init();
    switch (level) {
        case SimdLevel::Portable:
            return true;
        case SimdLevel::Sse2:
            return __builtin_cpu_supports("sse2");
        case SimdLevel::Avx2:
            return __builtin_cpu_supports("avx2");
        case SimdLevel::Neon:
        case SimdLevel::WasmSimd:
            return false;
    }
    return false;
}
#elif defined(__aarch64__)
// Advanced SIMD belongs to the base arm64 architecture that every arm64 Debian
// build assumes (GCC uses it without any flag), so there is nothing to ask at
// run time.
bool processorRuns(SimdLevel level) {
    return level == SimdLevel::Portable || level == SimdLevel::Neon;
}
#elif defined(__wasm_simd128__)
// WebAssembly has no run-time feature test: an engine validates the whole
// module when it loads it, so a module built with -msimd128 (as this one) loads
// only where wasm SIMD exists, and then every function in it may use SIMD.
bool processorRuns(SimdLevel level) {
    return level == SimdLevel::Portable || level == SimdLevel::WasmSimd;
}
#else
bool processorRuns(SimdLevel level) {
    return level == SimdLevel::Portable;
}
#endif

}  // namespace

bool simdLevelSupported(SimdLevel level) {
    return processorRuns(level);
}

SimdLevel bestSimdLevel() {
    static const SimdLevel best = supportedSimdLevels().back();
    return best;
}

std::vector<SimdLevel> supportedSimdLevels() {
    std::vector<SimdLevel> supported;
    for (const SimdLevel level : levels) {
        if (processorRuns(level)) supported.push_back(level);
    }
    return supported;
}

const char* simdLevelName(SimdLevel level) {
    switch (level) {
        case SimdLevel::Portable:
            return "portable";
        case SimdLevel::Sse2:
            return "sse2";
        case SimdLevel::Avx2:
            return "avx2";
        case SimdLevel::Neon:
            return "neon";
        case SimdLevel::WasmSimd:
            return "wasm-simd";
    }
    return "unknown";
}
