// Lane groups pass by value only between functions forced inline into one entry point in this
// file, so GCC's note that passing them without AVX changes the ABI concerns no real call.
#pragma GCC diagnostic ignored "-Wpsabi"

#include <cassert>

#include "measure/fast/ContourBody.hpp"
#include "measure/fast/ContourFast.hpp"

// Each entry point instantiates the scan for one lane type and is built for its instruction
// set; `flatten` pulls every template into it (traceCell, the reference's, stays a call).

namespace {

using Scan = void (*)(const ContourJob& job, ContourWorkspace& work,
                      std::vector<ContourSegment>& out);

[[gnu::flatten]] void scanPortable(const ContourJob& job, ContourWorkspace& work,
                                   std::vector<ContourSegment>& out) {
    contour::scanContours<double>(job, work, out);
}

#if defined(__x86_64__) || defined(__i386__)
[[gnu::target("sse2"), gnu::flatten]] void scanSse2(const ContourJob& job, ContourWorkspace& work,
                                                    std::vector<ContourSegment>& out) {
    contour::scanContours<Lanes2>(job, work, out);
}
[[gnu::target("avx2"), gnu::flatten]] void scanAvx2(const ContourJob& job, ContourWorkspace& work,
                                                    std::vector<ContourSegment>& out) {
    contour::scanContours<Lanes4>(job, work, out);
}
#endif

#if defined(__aarch64__) || defined(__wasm_simd128__)
// NEON is in every arm64 build and the web module is built with -msimd128: two lanes need no
// target attribute.
[[gnu::flatten]] void scanTwoLanes(const ContourJob& job, ContourWorkspace& work,
                                   std::vector<ContourSegment>& out) {
    contour::scanContours<Lanes2>(job, work, out);
}
#endif

Scan scanOf(SimdLevel level) {
    assert(simdLevelSupported(level));
#if defined(__x86_64__) || defined(__i386__)
    if (level == SimdLevel::Avx2) return scanAvx2;
    if (level == SimdLevel::Sse2) return scanSse2;
#endif
#if defined(__aarch64__) || defined(__wasm_simd128__)
    if (level == SimdLevel::Neon || level == SimdLevel::WasmSimd) return scanTwoLanes;
#endif
    (void)level;
    return scanPortable;
}

}  // namespace

void contoursFast(const ContourJob& job, ContourWorkspace& work, std::vector<ContourSegment>& out,
                  SimdLevel level) {
    out.clear();
    if (job.nx < 2 || job.ny < 2 || job.levels.count() <= 0) return;
    if (!contour::codable(job.levels)) {
        // A step whose reciprocal is not a normal double: nothing to gain, nothing to risk.
        contoursReference(job, out);
        return;
    }
    work.rows.resize(2 * std::size_t{job.ny});
    scanOf(level)(job, work, out);
}
