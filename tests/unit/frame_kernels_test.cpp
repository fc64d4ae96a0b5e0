#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "../support/SameBits.hpp"
#include "field/ColourMap.hpp"
#include "field/Paint.hpp"
#include "field/Range.hpp"
#include "field/Reference.hpp"
#include "field/fast/FrameKernels.hpp"
#include "field/fast/SimdLevel.hpp"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

double fromBits(std::uint64_t bits) {
    return doubleFromBits(bits);
}

// Inputs to the colour map from every part of the double range: NaNs of every
// kind, infinities, signed zeros, subnormals, the extremes, the values around
// the middle and around every point where a channel's truncation steps, and
// random bit patterns.
std::vector<double> colourMapInputs() {
    std::vector<double> t = {fromBits(0x7FF8000000000000),
                             fromBits(0xFFF8000000000000),
                             fromBits(0x7FF0000000000001),
                             fromBits(0x7FF4000000000123),
                             fromBits(0xFFFFFFFFFFFFFFFF),
                             inf,
                             -inf,
                             0.0,
                             -0.0,
                             std::numeric_limits<double>::denorm_min(),
                             -std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::max(),
                             -std::numeric_limits<double>::max(),
                             1.0,
                             0.25,
                             0.75,
                             1e300,
                             -1e300};
    const auto around = [&](double centre, int ulps) {
        double up = centre;
        double down = centre;
        t.push_back(centre);
        for (int k = 0; k < ulps; ++k) {
            up = std::nextafter(up, inf);
            down = std::nextafter(down, -inf);
            t.push_back(up);
            t.push_back(down);
        }
    };
    around(0.5, 200);
    for (int c = 0; c <= 256; ++c) {
        around((1.0 - c / 255.0) / 2.0, 3);  // blue reaches c
        around(0.5 + c / 510.0, 3);          // red reaches c
    }
    std::mt19937_64 gen(42);
    std::uniform_real_distribution<double> nominal(-0.5, 1.5);
    for (int k = 0; k < 200000; ++k)
        t.push_back(fromBits(gen()));
    for (int k = 0; k < 200000; ++k)
        t.push_back(nominal(gen));
    return t;
}

// Paints values as an image nx wide; returns the RGBA bytes.
std::vector<std::uint8_t> painted(const std::vector<double>& values, std::uint32_t nx,
                                  std::uint32_t ny, double low, double high, bool reference,
                                  SimdLevel level) {
    std::vector<std::uint8_t> rgba(4 * values.size(), 0xAB);
    const PaintJob job{values.data(), nx, ny, low, high, rgba.data()};
    if (reference) {
        paintReference(job, blueRedMap);
    } else {
        paint(job, blueRedMap, level);
    }
    return rgba;
}

TEST(FastColourMap, EveryDoubleGivesTheReferenceColour) {
    // With low 0 and high 1 the map sees each value itself: (v - 0) / 1 = v.
    std::vector<double> t = colourMapInputs();
    const std::uint32_t nx = 97;
    t.resize((t.size() + nx - 1) / nx * nx, 0.5);
    const std::uint32_t ny = static_cast<std::uint32_t>(t.size() / nx);
    const std::vector<std::uint8_t> expected =
        painted(t, nx, ny, 0.0, 1.0, true, SimdLevel::Portable);
    for (const SimdLevel level : supportedSimdLevels()) {
        const std::vector<std::uint8_t> actual = painted(t, nx, ny, 0.0, 1.0, false, level);
        for (std::size_t k = 0; k < t.size(); ++k) {
            ASSERT_EQ(std::memcmp(&expected[4 * k], &actual[4 * k], 4), 0)
                << simdLevelName(level) << " t = " << t[k] << " bits " << doubleBits(t[k]);
        }
    }
}

TEST(FastColourMap, ChannelsStepWhereTheTruncationSteps) {
    // A value just below 0.75 gives red 127 and 0.75 itself red 127, while the
    // value for red 128 gives 128: the fast map truncates as written.
    const std::vector<double> t = {0.75, std::nextafter(0.5 + 128 / 510.0, 1.0), 0.5, 0.0, 1.0};
    for (const SimdLevel level : supportedSimdLevels()) {
        const std::vector<std::uint8_t> rgba = painted(t, 5, 1, 0.0, 1.0, false, level);
        EXPECT_EQ(rgba[0], 127) << simdLevelName(level);
        EXPECT_EQ(rgba[4], 128) << simdLevelName(level);
        EXPECT_EQ(rgba[8] + rgba[10], 0) << simdLevelName(level);
        EXPECT_EQ(rgba[14], 255) << simdLevelName(level);
        EXPECT_EQ(rgba[16], 255) << simdLevelName(level);
        EXPECT_EQ(rgba[19], 255) << simdLevelName(level);
    }
}

TEST(FastColourMap, RangesWhoseReciprocalIsInexact) {
    // Over a span that is not a power of two the fast map multiplies by the
    // reciprocal: values within a few units in the last place of each point
    // where a channel steps, of 0 (the middle) and of the ends must still get
    // the colour of the quotient.
    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> magnitude(1e-6, 1e6);
    for (int range = 0; range < 12; ++range) {
        const double high = magnitude(gen);
        const double low = range % 3 == 0 ? 0.0 : -high;
        const double span = high - low;
        std::vector<double> targets = {0.0, 0.5, 1.0};
        for (int c = 0; c <= 255; ++c) {
            targets.push_back((1.0 - c / 255.0) / 2.0);
            targets.push_back(0.5 + c / 510.0);
        }
        std::vector<double> values;
        for (const double t : targets) {
            double up = low + t * span;
            double down = up;
            for (int k = 0; k < 24; ++k) {
                values.push_back(up);
                values.push_back(down);
                up = std::nextafter(up, inf);
                down = std::nextafter(down, -inf);
            }
        }
        const std::uint32_t nx = 16;
        values.resize((values.size() + nx - 1) / nx * nx, low);
        const std::uint32_t ny = static_cast<std::uint32_t>(values.size() / nx);
        const auto expected = painted(values, nx, ny, low, high, true, SimdLevel::Portable);
        for (const SimdLevel level : supportedSimdLevels()) {
            const auto actual = painted(values, nx, ny, low, high, false, level);
            for (std::size_t k = 0; k < values.size(); ++k) {
                ASSERT_EQ(std::memcmp(&expected[4 * k], &actual[4 * k], 4), 0)
                    << simdLevelName(level) << " low " << low << " high " << high << " v "
                    << values[k];
            }
        }
    }
}

struct Size {
    std::uint32_t nx;
    std::uint32_t ny;
};

const Size gridSizes[] = {{1, 1},   {1, 7},  {7, 1},  {2, 2},    {2, 3},
                          {3, 2},   {7, 13}, {13, 7}, {33, 17},  {16, 16},
                          {17, 33}, {64, 5}, {5, 64}, {100, 37}, {601, 299}};

std::vector<double> noise(std::size_t n, unsigned seed, double scale) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(-scale, scale);
    std::vector<double> v(n);
    for (double& x : v)
        x = u(gen);
    return v;
}

TEST(FastPaint, NoisyAndFlatFieldsOverTheirSymmetricRange) {
    unsigned seed = 1;
    for (const Size s : gridSizes) {
        const std::size_t n = std::size_t{s.nx} * s.ny;
        // Noise, a smooth bump, all zero (0 / 0 everywhere), and noise with a
        // NaN and an infinity (an infinite range).
        std::vector<std::vector<double>> fields = {noise(n, seed++, 3.0), std::vector<double>(n),
                                                   std::vector<double>(n, 0.0),
                                                   noise(n, seed++, 1.0)};
        for (std::size_t k = 0; k < n; ++k)
            fields[1][k] = std::sin(0.01 * double(k)) - 0.2;
        fields[3][n / 2] = std::numeric_limits<double>::quiet_NaN();
        fields[3][n - 1] = -inf;
        for (const std::vector<double>& values : fields) {
            const ValueRange shown = displayRange(valueRangeReference(values.data(), n), true);
            const auto expected =
                painted(values, s.nx, s.ny, shown.min, shown.max, true, SimdLevel::Portable);
            for (const SimdLevel level : supportedSimdLevels()) {
                EXPECT_EQ(expected, painted(values, s.nx, s.ny, shown.min, shown.max, false, level))
                    << s.nx << "x" << s.ny << " " << simdLevelName(level);
            }
        }
    }
}

TEST(FastPaint, OtherMapsGoThroughTheReference) {
    const auto grey = [](double t) {
        return sf::Color(static_cast<std::uint8_t>(t * 200.0), 1, 2, 3);
    };
    const std::vector<double> values = {0.0, 0.5, 1.0, 0.25, 0.75, 0.125};
    std::vector<std::uint8_t> rgba(4 * values.size());
    paint({values.data(), 3, 2, 0.0, 1.0, rgba.data()}, grey);
    // Pixel (i, j) shows node (i, j), stored at i * ny + j.
    EXPECT_EQ(rgba[0], 0);
    EXPECT_EQ(rgba[4], 200);   // node (1, 0) = 1.0
    EXPECT_EQ(rgba[12], 100);  // node (0, 1) = 0.5
    EXPECT_EQ(rgba[20], 25);   // node (2, 1) = 0.125
    EXPECT_EQ(rgba[3], 3);
}

// ---- range ----

void expectSameRange(const std::vector<double>& v, const std::string& what) {
    const ValueRange expected = valueRangeReference(v.data(), v.size());
    for (const SimdLevel level : supportedSimdLevels()) {
        const ValueRange actual = frameKernels(level).valueRange(v.data(), v.size());
        EXPECT_TRUE(sameBits(expected.min, actual.min) && sameBits(expected.max, actual.max))
            << what << " n=" << v.size() << " " << simdLevelName(level) << ": " << actual.min << " "
            << actual.max << " expected " << expected.min << " " << expected.max;
    }
}

TEST(FastRange, RandomValuesOfEveryLength) {
    for (std::size_t n = 1; n <= 70; ++n) {
        expectSameRange(noise(n, static_cast<unsigned>(n), 5.0), "noise");
    }
    expectSameRange(noise(400 * 400, 9, 1e-3), "large");
}

TEST(FastRange, SignedZerosKeepTheFirstOfTheExtremes) {
    // The reference keeps the first zero that became an extreme; lanes that
    // meet zeros of the other sign must not change that.
    for (std::size_t n = 1; n <= 40; ++n) {
        for (std::size_t first = 0; first < n; ++first) {
            std::vector<double> v(n, -1.0);
            for (std::size_t k = first; k < n; ++k)
                v[k] = (k - first) % 3 == 1 ? 0.0 : -0.0;
            expectSameRange(v, "non-positive");
            for (double& x : v)
                x = x == -1.0 ? 1.0 : (std::signbit(x) ? 0.0 : -0.0);
            expectSameRange(v, "non-negative");
        }
    }
}

TEST(FastRange, NaNsAndInfinities) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t n = 1; n <= 24; ++n) {
        for (std::size_t at = 0; at < n; ++at) {
            std::vector<double> v = noise(n, static_cast<unsigned>(n * 31 + at), 2.0);
            v[at] = fromBits(0x7FF800000000ABCD);
            expectSameRange(v, "one NaN");
            v[at] = at % 2 == 0 ? inf : -inf;
            expectSameRange(v, "infinity");
        }
        expectSameRange(std::vector<double>(n, nan), "all NaN");
    }
}

// ---- gradient ----

// Both gradient kernels of every level against the reference: the field bit
// for bit (a NaN fill shows any component a kernel fails to write), and the
// largest square of the tracking one against the search over the field.
void expectReferenceGradient(const std::vector<double>& src, std::uint32_t nx, std::uint32_t ny,
                             double hx, double hy, double factor, const std::string& what,
                             std::uint32_t cachedStride = 0, std::uint32_t cachedFirst = 0) {
    const std::size_t n = std::size_t{nx} * ny;
    std::vector<double> expected(2 * n, 7.0);
    gradientReference(src.data(), expected.data(), nx, ny, hx, hy, factor);
    const double largest = maxSquaredMagnitudeReference(expected.data(), n);
    for (const SimdLevel level : supportedSimdLevels()) {
        for (const bool track : {false, true}) {
            std::vector<double> actual(2 * n, fromBits(0x7FF0DEADBEEF0000));
            const GradientJob job{src.data(), actual.data(), nx,           ny,         hx,
                                  hy,         factor,        cachedStride, cachedFirst};
            const std::string where = what + " " + std::to_string(nx) + "x" + std::to_string(ny) +
                                      " factor " + std::to_string(factor) + " " +
                                      simdLevelName(level) + (track ? " tracking" : "");
            if (track) {
                const double found = frameKernels(level).gradientLargest(job);
                EXPECT_TRUE(sameBits(largest, found))
                    << where << ": largest " << found << " expected " << largest;
            } else {
                frameKernels(level).gradient(job);
            }
            EXPECT_EQ(std::memcmp(expected.data(), actual.data(), 2 * n * sizeof(double)), 0)
                << where;
        }
    }
}

TEST(FastGradient, EverySizeFactorAndStep) {
    unsigned seed = 50;
    for (const Size s : gridSizes) {
        const std::size_t n = std::size_t{s.nx} * s.ny;
        std::vector<double> src = noise(n, seed++, 10.0);
        std::vector<double> special = src;
        if (n > 5) {
            special[n / 2] = inf;
            special[n / 3] = -0.0;
            special[n / 5] = 1e-310;
        }
        for (const double factor : {-1.0, 1.0, 3.0}) {
            const double hx = 1.0 / 299;
            const double hy = std::nextafter(hx, 1.0);
            expectReferenceGradient(src, s.nx, s.ny, hx, hy, factor, "noise");
            expectReferenceGradient(special, s.nx, s.ny, hx, hy, factor, "inf, -0, subnormal");
        }
    }
}

TEST(FastGradient, TheLargestSquareWhereverItLies) {
    // A single spike on a flat potential puts the longest field next to it:
    // at corners, on edges, at the start and end of the vector runs.
    const std::uint32_t nx = 13;
    const std::uint32_t ny = 11;
    for (std::uint32_t i = 0; i < nx; ++i) {
        for (std::uint32_t j : {0u, 1u, 2u, 5u, ny - 3, ny - 2, ny - 1}) {
            std::vector<double> src(std::size_t{nx} * ny, 0.25);
            src[std::size_t{i} * ny + j] = 9.0;
            expectReferenceGradient(src, nx, ny, 0.1, 0.1, -1.0,
                                    "spike at " + std::to_string(i) + "," + std::to_string(j));
        }
    }
    std::vector<double> nan(std::size_t{nx} * ny, 1.0);
    nan[20] = std::numeric_limits<double>::quiet_NaN();
    expectReferenceGradient(nan, nx, ny, 0.1, 0.1, -1.0, "NaN");
}

TEST(FastGradient, FieldsLargerThanTheCachesAreStreamedAlike) {
    // Above 16 MiB of field the vector paths write past the caches; an odd
    // column height makes the columns start on either alignment.
    const std::uint32_t nx = 1201;
    const std::uint32_t ny = 997;
    ASSERT_GT(2 * std::size_t{nx} * ny * sizeof(double), std::size_t{16} << 20);
    expectReferenceGradient(noise(std::size_t{nx} * ny, 77, 1.0), nx, ny, 1.0 / ny, 1.0 / ny, -1.0,
                            "streamed");
}

// ---- arrow normalisation ----

TEST(FastFieldMagnitude, LargestSquareOfEveryLength) {
    for (std::size_t nodes = 0; nodes <= 40; ++nodes) {
        std::vector<double> xy = noise(2 * nodes + 1, static_cast<unsigned>(nodes), 4.0);
        if (nodes > 3) xy[5] = std::numeric_limits<double>::quiet_NaN();
        if (nodes > 6) xy[12] = -0.0;
        const double expected = maxSquaredMagnitudeReference(xy.data(), nodes);
        for (const SimdLevel level : supportedSimdLevels()) {
            EXPECT_TRUE(
                sameBits(expected, frameKernels(level).maxSquaredMagnitude(xy.data(), nodes)))
                << nodes << " " << simdLevelName(level);
        }
    }
}

TEST(FastFieldMagnitude, InfinitiesAndAllZero) {
    std::vector<double> xy(2 * 13, -0.0);
    for (const SimdLevel level : supportedSimdLevels()) {
        EXPECT_TRUE(sameBits(0.0, frameKernels(level).maxSquaredMagnitude(xy.data(), 13)));
    }
    xy[17] = -inf;
    for (const SimdLevel level : supportedSimdLevels()) {
        EXPECT_EQ(inf, frameKernels(level).maxSquaredMagnitude(xy.data(), 13));
    }
}

}  // namespace
