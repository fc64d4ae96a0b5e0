#include "field/fast/SimdLevel.hpp"

namespace {

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
    }
    return false;
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
    static const SimdLevel best = [] {
        if (processorRuns(SimdLevel::Avx2)) return SimdLevel::Avx2;
        if (processorRuns(SimdLevel::Sse2)) return SimdLevel::Sse2;
        return SimdLevel::Portable;
    }();
    return best;
}

std::vector<SimdLevel> supportedSimdLevels() {
    std::vector<SimdLevel> levels;
    for (const SimdLevel level : {SimdLevel::Portable, SimdLevel::Sse2, SimdLevel::Avx2}) {
        if (processorRuns(level)) levels.push_back(level);
    }
    return levels;
}

const char* simdLevelName(SimdLevel level) {
    switch (level) {
        case SimdLevel::Portable:
            return "portable";
        case SimdLevel::Sse2:
            return "sse2";
        case SimdLevel::Avx2:
            return "avx2";
    }
    return "unknown";
}
