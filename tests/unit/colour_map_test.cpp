#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "field/ColourMap.hpp"

namespace {

void expectColour(double t, int red, int blue) {
    const sf::Color c = blueRedMap(t);
    EXPECT_EQ(c.r, red) << "t = " << t;
    EXPECT_EQ(c.g, 0) << "t = " << t;
    EXPECT_EQ(c.b, blue) << "t = " << t;
    EXPECT_EQ(c.a, 255) << "t = " << t;
}

}  // namespace

TEST(BlueRedMap, NominalRange) {
    expectColour(0.0, 0, 255);
    expectColour(0.25, 0, 127);
    expectColour(0.5, 0, 0);
    expectColour(0.75, 127, 0);
    expectColour(1.0, 255, 0);
    expectColour(std::nextafter(0.5, 0.0), 0, 0);
    expectColour(std::nextafter(0.5, 1.0), 0, 0);
    // Inside 0 .. 1 each channel is its product truncated toward zero.
    for (int k = 0; k <= 1000; ++k) {
        const double t = k / 1000.0;
        const int blue = t < 0.5 ? static_cast<int>((1.0 - 2.0 * t) * 255.0) : 0;
        const int red = t > 0.5 ? static_cast<int>((t - 0.5) * 510.0) : 0;
        expectColour(t, red, blue);
    }
}

TEST(BlueRedMap, OutsideTheRangeSaturatesAndNaNIsBlack) {
    const double inf = std::numeric_limits<double>::infinity();
    expectColour(std::numeric_limits<double>::quiet_NaN(), 0, 0);
    expectColour(inf, 255, 0);
    expectColour(-inf, 0, 255);
    // The low 8 bits of these products would be 253 and 249.
    expectColour(2.0, 255, 0);
    expectColour(-3.0, 0, 255);
    expectColour(1e300, 255, 0);
    expectColour(-1e300, 0, 255);
}

TEST(BlueRedMap, NodeValuesAreNormalisedOverLowToHigh) {
    // The symmetric range of a potential from -2 to +1 is -2 .. 2.
    EXPECT_EQ(colourOf(-2.0, -2.0, 2.0, blueRedMap), sf::Color(0, 0, 255));
    EXPECT_EQ(colourOf(0.0, -2.0, 2.0, blueRedMap), sf::Color(0, 0, 0));
    EXPECT_EQ(colourOf(1.0, -2.0, 2.0, blueRedMap), sf::Color(127, 0, 0));
    // An all-zero field has the range 0 .. 0: 0 / 0 is NaN and shows black.
    EXPECT_EQ(colourOf(0.0, 0.0, 0.0, blueRedMap), sf::Color(0, 0, 0));
}
