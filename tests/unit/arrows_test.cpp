#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <random>
#include <utility>

#include "field/Axis.hpp"
#include "field/FieldArrows.hpp"
#include "field/Grid2D.hpp"
#include "field/VectorField.hpp"

namespace {

template <typename F>
void fillField(VectorField& v, F field) {
    for (std::uint32_t i = 0; i < v.grid->nx; ++i) {
        for (std::uint32_t j = 0; j < v.grid->ny; ++j) {
            const auto [ex, ey] = field(i, j);
            v.data[2 * v.grid->index(i, j)] = ex;
            v.data[2 * v.grid->index(i, j) + 1] = ey;
        }
    }
}

std::size_t arrowCount(const VectorField& v) {
    return v.arrows.vertices.getVertexCount() / 2;
}

sf::Vector2f tail(const VectorField& v, std::size_t k) {
    return v.arrows.vertices[2 * k].position;
}

sf::Vector2f arrow(const VectorField& v, std::size_t k) {
    return v.arrows.vertices[2 * k + 1].position - tail(v, k);
}

// The field of the node an arrow stands on, found from its tail.
std::pair<double, double> fieldAt(const VectorField& v, std::size_t k) {
    const sf::Vector2f t = tail(v, k);
    const std::size_t at =
        2 * v.grid->index(static_cast<std::uint32_t>(t.x), static_cast<std::uint32_t>(t.y));
    return {v.data[at], v.data[at + 1]};
}

float length(sf::Vector2f a) {
    return std::hypot(a.x, a.y);
}

}  // namespace

TEST(FieldArrows, BlockLayout) {
    struct Case {
        std::uint32_t n, b, count, first, last;
    };
    for (const Case& c : {Case{400, 7, 58, 0, 399}, Case{400, 8, 50, 4, 396},
                          Case{403, 7, 58, 2, 401}, Case{3, 7, 1, 1, 1}}) {
        const ArrowAxis a = arrowAxis(c.n, c.b);
        EXPECT_EQ(a.count, c.count) << c.n << " / " << c.b;
        EXPECT_EQ(a.offset, c.first) << c.n << " / " << c.b;
        EXPECT_EQ(c.b * (a.count - 1) + a.offset, c.last) << c.n << " / " << c.b;
    }

    const Grid2D square = domainGrid(400, 400);
    VectorField v(square);
    v.arrows.blockSize = 7;
    v.resizeArrows();
    EXPECT_EQ(v.arrows.vertices.getVertexCount(), 6728u);

    // Arrows fill the array column by column: 58 rows per column of 403 / 7.
    const Grid2D wide = domainGrid(403, 400);
    VectorField w(wide);
    w.arrows.blockSize = 7;
    w.resizeArrows();
    w.rebuildArrows();
    ASSERT_EQ(arrowCount(w), 58u * 58u);
    EXPECT_EQ(tail(w, 0), sf::Vector2f(2, 0));
    EXPECT_EQ(tail(w, 1), sf::Vector2f(2, 7));
    EXPECT_EQ(tail(w, 58), sf::Vector2f(9, 0));
    EXPECT_EQ(tail(w, 58 * 58 - 1), sf::Vector2f(401, 399));
    for (std::size_t k = 0; k < arrowCount(w); ++k) {
        ASSERT_EQ(w.arrows.vertices[2 * k].color, sf::Color(255, 255, 255, 0));
        ASSERT_EQ(w.arrows.vertices[2 * k + 1].color, sf::Color(255, 255, 255, 255));
    }
}

TEST(FieldArrows, BlockSizeZeroActsAsOne) {
    const Grid2D g = domainGrid(5, 4);
    VectorField v(g);
    fillField(v, [](std::uint32_t i, std::uint32_t j) { return std::pair(0.5 * i, -0.25 * j); });
    v.arrows.blockSize = 0;
    v.resizeArrows();
    EXPECT_EQ(v.arrows.vertices.getVertexCount(), 2u * 5u * 4u);
    v.rebuildArrows();
    for (std::size_t k = 0; k < arrowCount(v); ++k) {
        EXPECT_EQ(tail(v, k), sf::Vector2f(static_cast<float>(k / 4), static_cast<float>(k % 4)));
    }
}

TEST(FieldArrows, PlainMultiplierScalesTheFieldInFloat) {
    const Grid2D g = domainGrid(9, 6);
    VectorField v(g);
    fillField(v, [](std::uint32_t i, std::uint32_t j) {
        return std::pair(0.3 * i - 1.0, 0.2 * j - 0.5);
    });
    v.arrows.normalized = false;
    v.arrows.lengthMultiplier = 3.0f;
    v.arrows.blockSize = 2;
    v.resizeArrows();
    v.rebuildArrows();
    EXPECT_EQ(v.arrows.lengthMultiplier, 3.0f);
    for (std::size_t k = 0; k < arrowCount(v); ++k) {
        const auto [ex, ey] = fieldAt(v, k);
        EXPECT_FLOAT_EQ(arrow(v, k).x, static_cast<float>(ex) * 3.0f) << k;
        EXPECT_FLOAT_EQ(arrow(v, k).y, static_cast<float>(ey) * 3.0f) << k;
    }
}

TEST(FieldArrows, NormalizedLongestArrowHasTheNormalizedLength) {
    const Grid2D g = domainGrid(7, 5);
    VectorField v(g);
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> u(-40.0, 40.0);
    fillField(v, [&](std::uint32_t, std::uint32_t) { return std::pair(u(gen), u(gen)); });
    double largest = 0.0;
    for (std::size_t k = 0; k < v.data.size(); k += 2) {
        largest = std::max(largest, std::hypot(v.data[k], v.data[k + 1]));
    }
    v.resizeArrows();
    v.rebuildArrows();
    EXPECT_DOUBLE_EQ(v.maxMagnitude, largest);
    float longest = 0.0f;
    for (std::size_t k = 0; k < arrowCount(v); ++k)
        longest = std::max(longest, length(arrow(v, k)));
    EXPECT_NEAR(longest, 20.0f, 1e-4f);

    // Below the threshold the field counts as none: every arrow is a point.
    for (double weak : {0.0, 1e-9}) {
        fillField(v, [&](std::uint32_t, std::uint32_t) { return std::pair(weak, -weak); });
        v.rebuildArrows();
        EXPECT_EQ(v.arrows.lengthMultiplier, 0.0f);
        for (std::size_t k = 0; k < arrowCount(v); ++k)
            EXPECT_EQ(arrow(v, k), sf::Vector2f());
    }
    fillField(v, [](std::uint32_t, std::uint32_t) { return std::pair(0.0, 0.0); });
    v.rebuildArrows();
    EXPECT_EQ(v.maxMagnitude, 0.0);
}

TEST(FieldArrows, EqualLengthDrawsEveryArrowHalfTheNormalizedLength) {
    const Grid2D g = domainGrid(6, 5);
    // From far below the float range to far above it, and exact zeros.
    const double magnitudes[] = {0.0, 1e-200, 1e-100, 1e-40, 1e-20, 1e-9, 0.3, 1.0, 1e6, 1e200};
    for (bool normalized : {false, true}) {
        VectorField v(g);
        fillField(v, [&](std::uint32_t i, std::uint32_t j) {
            const double m = magnitudes[(i * 5 + j) % std::size(magnitudes)];
            const double angle = 0.7 * i + 1.3 * j;
            return std::pair(m * std::cos(angle), m * std::sin(angle));
        });
        v.arrows.normalized = normalized;
        v.arrows.equalLength = true;
        v.resizeArrows();
        v.rebuildArrows();
        EXPECT_EQ(v.arrows.lengthMultiplier, 20.0f);
        for (std::size_t k = 0; k < arrowCount(v); ++k) {
            const auto [ex, ey] = fieldAt(v, k);
            const sf::Vector2f a = arrow(v, k);
            if (ex == 0.0 && ey == 0.0) {
                EXPECT_EQ(a, sf::Vector2f()) << k;
                continue;
            }
            EXPECT_NEAR(length(a), 10.0f, 1e-4f) << "arrow " << k << " field " << ex << "," << ey;
            const double m = std::hypot(ex, ey);
            EXPECT_NEAR(a.x / 10.0, ex / m, 1e-5) << k;
            EXPECT_NEAR(a.y / 10.0, ey / m, 1e-5) << k;
        }
    }
}

TEST(FieldArrows, DrawingTransformScalesTheOffsetPosition) {
    FieldArrows a;
    a.scale = 3.0f;
    a.offset = {2.0f, -1.0f};
    EXPECT_EQ(a.drawingTransform().transformPoint(5.0f, 7.0f), sf::Vector2f(21.0f, 18.0f));
}
