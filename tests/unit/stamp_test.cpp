#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "field/Stamp.hpp"

namespace {

using Node = std::pair<std::int32_t, std::int32_t>;

// A charge array with guard values on both sides, and the nodes the last
// stamp reported.
struct Canvas {
    static constexpr std::size_t guard = 64;
    static constexpr double guardValue = 12345.0;
    std::uint32_t nx;
    std::uint32_t ny;
    std::vector<double> buffer;
    std::multiset<Node> touched;

    Canvas(std::uint32_t nx, std::uint32_t ny, double fill = 0.0)
        : nx(nx), ny(ny), buffer(nx * ny + 2 * guard, guardValue) {
        std::fill(buffer.begin() + guard, buffer.end() - guard, fill);
    }

    double* values() { return buffer.data() + guard; }
    double at(std::int32_t i, std::int32_t j) { return values()[i * ny + j]; }

    void stamp(const StampArgs& a, const StampSettings& s = {}) {
        touched.clear();
        stampDiscValues(values(), nx, ny, a, s, [&](std::int32_t i, std::int32_t j, double) {
            touched.insert({i, j});
        });
    }

    bool guardsIntact() const {
        for (std::size_t k = 0; k < guard; ++k) {
            if (buffer[k] != guardValue || buffer[buffer.size() - 1 - k] != guardValue)
                return false;
        }
        return true;
    }
};

std::int64_t distanceSquared(std::int64_t i, std::int64_t j, const StampArgs& a) {
    return (i - a.cx) * (i - a.cx) + (j - a.cy) * (j - a.cy);
}

// Every node of the grid within the radius, found by visiting the whole grid.
std::multiset<Node> clippedDisc(std::uint32_t nx, std::uint32_t ny, const StampArgs& a) {
    std::multiset<Node> disc;
    const std::int64_t r = a.radius;
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(nx); ++i) {
        for (std::int32_t j = 0; j < static_cast<std::int32_t>(ny); ++j) {
            if (distanceSquared(i, j, a) <= r * r) disc.insert({i, j});
        }
    }
    return disc;
}

StampArgs soft(std::int16_t cx, std::int16_t cy, std::uint16_t r, double density) {
    return {cx, cy, r, false, false, density};
}

}  // namespace

TEST(Stamp, RadiusZeroTouchesOnlyTheCentre) {
    Canvas c(9, 7);
    c.stamp(soft(4, 3, 0, 1.0));
    EXPECT_EQ(c.touched, (std::multiset<Node>{{4, 3}}));
    EXPECT_EQ(c.at(4, 3), 0.05);
    for (std::int32_t i = 0; i < 9; ++i) {
        for (std::int32_t j = 0; j < 7; ++j) {
            if (i != 4 || j != 3) {
                EXPECT_EQ(c.at(i, j), 0.0);
            }
        }
    }
}

TEST(Stamp, CoversExactlyTheClippedDiscWhateverTheCentreAndRadius) {
    struct Case {
        std::uint32_t nx, ny;
        std::int16_t cx, cy;
        std::uint16_t r;
    };
    const Case cases[] = {
        {30, 20, 5, 5, 10},          {30, 20, 29, 19, 4},      {30, 20, -3, 10, 5},
        {30, 20, -1, -1, 1},         {30, 20, 100, 1, 3},      {4, 3, -32768, -32768, 65535},
        {4, 3, 32767, 32767, 65535}, {4, 3, -32768, 1, 65535}, {4, 3, 1, 32767, 65535},
        {4, 3, 2, 1, 65535},         {1, 1, 0, 0, 0},          {1, 1, 32767, -32768, 65535},
    };
    for (const Case& k : cases) {
        Canvas c(k.nx, k.ny);
        const StampArgs a{k.cx, k.cy, k.r, false, true, 1.0};
        c.stamp(a);
        const std::multiset<Node> disc = clippedDisc(k.nx, k.ny, a);
        EXPECT_EQ(c.touched, disc) << k.cx << "," << k.cy << " r " << k.r;
        EXPECT_TRUE(c.guardsIntact()) << k.cx << "," << k.cy << " r " << k.r;
        for (std::int32_t i = 0; i < static_cast<std::int32_t>(k.nx); ++i) {
            for (std::int32_t j = 0; j < static_cast<std::int32_t>(k.ny); ++j) {
                EXPECT_EQ(c.at(i, j), disc.count({i, j}) != 0 ? 1.0 : 0.0);
            }
        }
    }
}

TEST(Stamp, SoftProfileFallsOffWithTheEnlargedRadius) {
    Canvas c(15, 13);
    const StampArgs a = soft(7, 6, 6, 20.0);
    c.stamp(a);
    EXPECT_EQ(c.at(7, 6), 1.0);
    for (std::int32_t i = 0; i < 15; ++i) {
        for (std::int32_t j = 0; j < 13; ++j) {
            const std::int64_t d2 = distanceSquared(i, j, a);
            const double expected = d2 <= 36 ? std::sqrt(1.0 - d2 / 49.0) : 0.0;
            EXPECT_DOUBLE_EQ(c.at(i, j), expected) << i << "," << j;
        }
    }
}

TEST(Stamp, HardStampsAndClamping) {
    const StampSettings s;
    const auto value = [&](double v, bool hard, double density) {
        return stampedValue(v, 0, 0, {0, 0, 0, false, hard, density}, s);
    };
    EXPECT_EQ(value(-0.7, true, 0.3), 1.0);
    EXPECT_EQ(value(0.7, true, 0.0), -1.0);
    EXPECT_EQ(value(0.7, true, -5.0), -1.0);
    EXPECT_EQ(value(0.98, false, 1.0), 1.0);
    EXPECT_EQ(value(-0.98, false, -1.0), -1.0);
    EXPECT_DOUBLE_EQ(value(0.5, false, -1.0), 0.45);
}

TEST(Stamp, EraserStopsAtZeroFromEitherSide) {
    const StampSettings s;
    const auto erase = [&](double v, bool hard, double density) {
        return stampedValue(v, 0, 0, {0, 0, 0, true, hard, density}, s);
    };
    // A positive eraser drops positive charge to zero at once and lifts
    // negative charge by the soft amount; a negative one mirrors it.
    EXPECT_EQ(erase(0.3, false, 1.0), 0.0);
    EXPECT_DOUBLE_EQ(erase(-0.5, false, 1.0), -0.45);
    EXPECT_EQ(erase(-0.01, false, 1.0), 0.0);
    EXPECT_EQ(erase(-0.3, false, -1.0), 0.0);
    EXPECT_DOUBLE_EQ(erase(0.5, false, -1.0), 0.45);
    EXPECT_EQ(erase(0.01, false, -1.0), 0.0);
    for (double v : {-1.0, -0.2, 0.0, 0.6, 1.0}) {
        EXPECT_EQ(erase(v, true, 1.0), 0.0) << v;
        EXPECT_EQ(erase(v, true, -1.0), 0.0) << v;
    }
}
