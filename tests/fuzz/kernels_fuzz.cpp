// The fast kernels against their straightforward references on random small grids (1 .. 40
// nodes per axis), on every instruction set this processor runs: the relaxation (any sweep
// count, both update forms, fixed or periodic pairs of sides with any edge values, with or
// without metal nodes anywhere), the range
// search, the colour map (over the symmetric range of the values or any range), the gradient
// with and without the search for the longest field, and that search alone; the equipotential
// lines (contoursFast) on values that lie on, next to or between the levels. Values are any
// doubles (NaN payloads, infinities, signed zeros, subnormals) or nominal ones; every result
// must agree bit for bit, except that where two different NaNs meet in one operation, which
// of them comes out is left open by IEEE 754 and by the compiler, which may swap the operands
// of a sum or a product: any NaN then matches any NaN. (The unit tests hold the payloads to
// the bit where a single NaN is in play, as in the program, whose only NaN is the one that
// invalid operations make.) No display needed.

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

#include "../support/SameBits.hpp"
#include "FuzzCheck.hpp"
#include "field/ColourMap.hpp"
#include "field/Paint.hpp"
#include "field/Range.hpp"
#include "field/Reference.hpp"
#include "field/fast/FrameKernels.hpp"
#include "field/fast/RelaxFast.hpp"
#include "field/fast/SimdLevel.hpp"
#include "measure/ContourStep.hpp"
#include "measure/Contours.hpp"
#include "measure/fast/ContourFast.hpp"

namespace {

// Mostly values a potential or a charge takes, sometimes any bit pattern.
std::vector<double> values(FuzzedDataProvider& in, std::size_t n) {
    std::vector<double> v(n);
    const bool wild = in.ConsumeBool();
    for (double& x : v)
        x = wild && in.ConsumeBool() ? anyDouble(in) : in.ConsumeFloatingPointInRange(-4.0, 4.0);
    return v;
}

bool sameValues(const std::vector<double>& a, const std::vector<double>& b) {
    for (std::size_t k = 0; k < a.size(); ++k) {
        const bool bothNaN = a[k] != a[k] && b[k] != b[k];
        if (!bothNaN && std::memcmp(&a[k], &b[k], sizeof(double)) != 0) return false;
    }
    return a.size() == b.size();
}

// A step as the grid makes it, moved by a few units in the last place now and then, so that
// both update forms (equal steps or not) come up.
double step(FuzzedDataProvider& in, double exact) {
    const int ulps = in.ConsumeIntegralInRange<int>(-2, 2);
    return std::bit_cast<double>(std::bit_cast<std::int64_t>(exact) + ulps);
}

void checkRelax(FuzzedDataProvider& in, std::uint32_t nx, std::uint32_t ny) {
    const std::size_t n = std::size_t{nx} * ny;
    const std::vector<double> start = values(in, n);
    const std::vector<double> rho = values(in, n);
    const double hy = step(in, 1.0 / ny);
    const double hx = step(in, (double(nx) / double(ny)) / nx);
    BoundarySides sides{};
    const bool periodicX = in.ConsumeBool();
    const bool periodicY = in.ConsumeBool();
    for (int s = 0; s < 4; ++s) {
        sides[s].kind = (s < 2 ? periodicX : periodicY) ? Periodic : Fixed;
        sides[s].value =
            in.ConsumeBool() ? anyDouble(in) : in.ConsumeFloatingPointInRange(-2.0, 2.0);
    }
    const std::uint32_t sweeps = in.ConsumeIntegralInRange<std::uint32_t>(0, 30);
    // Half the time some nodes are metal, edge bytes included, which are not metal.
    std::vector<std::uint8_t> held;
    if (in.ConsumeBool()) {
        held = in.ConsumeBytes<std::uint8_t>(n);
        held.resize(n, 0);
        // About a quarter of the nodes, so that runs of free nodes of every length occur.
        for (std::uint8_t& b : held)
            b = (b & 3) == 0 ? b : 0;
    }
    const std::uint8_t* mask = held.empty() ? nullptr : held.data();
    const RelaxConstants constants = relaxConstants(nx, ny, hx, hy);
    std::vector<double> expected = start;
    relaxReference({expected.data(), rho.data(), nx, ny, hx, hy, constants, mask}, sides, sweeps);
    RelaxWorkspace workspace;
    for (const SimdLevel level : supportedSimdLevels()) {
        std::vector<double> actual = start;
        relaxFast({actual.data(), rho.data(), nx, ny, hx, hy, constants, mask}, sides, sweeps,
                  workspace, level);
        FUZZ_CHECK(sameValues(expected, actual));
    }
}

void checkFrame(FuzzedDataProvider& in, std::uint32_t nx, std::uint32_t ny) {
    const std::size_t n = std::size_t{nx} * ny;
    const std::vector<double> phi = values(in, n);
    const ValueRange found = valueRangeReference(phi.data(), n);
    ValueRange shown = displayRange(found, true);
    if (in.ConsumeBool()) shown = {anyDouble(in), anyDouble(in)};
    std::vector<std::uint8_t> expectedImage(4 * n);
    paintReference({phi.data(), nx, ny, shown.min, shown.max, expectedImage.data()}, blueRedMap);

    const double factor = in.ConsumeBool() ? -1.0 : in.ConsumeIntegral<std::int8_t>();
    const double hx = in.ConsumeBool() ? anyDouble(in) : 1.0 / ny;
    const double hy = in.ConsumeBool() ? anyDouble(in) : 1.0 / ny;
    const auto stride = in.ConsumeIntegralInRange<std::uint32_t>(0, 9);
    const auto first = in.ConsumeIntegralInRange<std::uint32_t>(0, 9);
    std::vector<double> expectedField(2 * n);
    gradientReference(phi.data(), expectedField.data(), nx, ny, hx, hy, factor);
    const double largest = maxSquaredMagnitudeReference(expectedField.data(), n);

    for (const SimdLevel level : supportedSimdLevels()) {
        const FrameKernels& k = frameKernels(level);
        const ValueRange range = k.valueRange(phi.data(), n);
        FUZZ_CHECK(sameBits(range.min, found.min) && sameBits(range.max, found.max));
        std::vector<std::uint8_t> image(4 * n, 0xAB);
        paint({phi.data(), nx, ny, shown.min, shown.max, image.data()}, blueRedMap, level);
        FUZZ_CHECK(image == expectedImage);
        std::vector<double> field(2 * n, 7.0);
        const GradientJob job{phi.data(), field.data(), nx, ny, hx, hy, factor, stride, first};
        k.gradient(job);
        FUZZ_CHECK(sameValues(field, expectedField));
        std::fill(field.begin(), field.end(), 7.0);
        FUZZ_CHECK(sameBits(k.gradientLargest(job), largest));
        FUZZ_CHECK(sameValues(field, expectedField));
        FUZZ_CHECK(sameBits(k.maxSquaredMagnitude(field.data(), n), largest));
    }
}

// Values on levels of the step, a few units in the last place off them, or anything; the
// program's step for the values' range or any step. Segments, in order, to the bit.
void checkContours(FuzzedDataProvider& in, std::uint32_t nx, std::uint32_t ny) {
    const double step = in.ConsumeBool() ? 0.05 : anyDouble(in);
    std::vector<double> phi = values(in, std::size_t{nx} * ny);
    for (double& v : phi) {
        if (!in.ConsumeBool()) continue;
        const auto k = in.ConsumeIntegralInRange<std::int32_t>(-90, 90);
        const auto ulps = in.ConsumeIntegralInRange<std::int64_t>(-3, 3);
        v = std::bit_cast<double>(std::bit_cast<std::uint64_t>(k * step) +
                                  static_cast<std::uint64_t>(ulps));
    }
    const ValueRange range = valueRangeReference(phi.data(), phi.size());
    // A step with more levels than a few hundred only makes the reference slow.
    ContourLevels levels = contourLevels(range, step);
    if (in.ConsumeBool() || levels.count() > 400) {
        levels = contourLevels(range, freshContourStep(range).value);
    }
    const ContourJob job{phi.data(), nx, ny, levels};
    std::vector<ContourSegment> expected;
    contoursReference(job, expected);
    ContourWorkspace work;
    for (const SimdLevel level : supportedSimdLevels()) {
        std::vector<ContourSegment> actual;
        contoursFast(job, work, actual, level);
        FUZZ_CHECK(actual.size() == expected.size());
        FUZZ_CHECK(actual.empty() || std::memcmp(actual.data(), expected.data(),
                                                 actual.size() * sizeof(actual[0])) == 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto nx = in.ConsumeIntegralInRange<std::uint32_t>(1, 40);
    const auto ny = in.ConsumeIntegralInRange<std::uint32_t>(1, 40);
    if (in.ConsumeBool()) {
        checkRelax(in, nx, ny);
    } else if (in.ConsumeBool()) {
        checkFrame(in, nx, ny);
    } else {
        checkContours(in, nx, ny);
    }
    return 0;
}
