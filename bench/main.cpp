#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "RatioReporter.hpp"
#include "field/fast/SimdLevel.hpp"

void registerRelaxBenchmarks();
void registerStepBenchmarks();
void registerContourBenchmarks();
void registerFrameBenchmarks();
void registerAppBenchmarks();

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    std::printf("Fast kernels on this processor: %s\n", simdLevelName(bestSimdLevel()));
    registerRelaxBenchmarks();
    registerStepBenchmarks();
    registerContourBenchmarks();
#if !defined(__EMSCRIPTEN__)
    // Textures and windows need an X display; under node there is neither (bench/CMakeLists.txt).
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr && *display != '\0') {
        registerFrameBenchmarks();
        registerAppBenchmarks();
    } else {
        std::printf("No DISPLAY: the frame and application benchmarks are left out.\n");
    }
#endif
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printTables();
    benchmark::Shutdown();
    return 0;
}
