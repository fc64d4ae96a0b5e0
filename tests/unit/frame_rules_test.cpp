#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "field/Brush.hpp"
#include "metal/MetalBrush.hpp"
#include "field/MetalPotential.hpp"
#include "ui/BrushControl.hpp"
#include "ui/FrameRate.hpp"
#include "ui/FrameTexts.hpp"

namespace {

std::int32_t sweepsAfter(std::int32_t sweeps, const std::vector<std::int32_t>& rates) {
    for (const std::int32_t fps : rates)
        sweeps = adaptSweeps(sweeps, fps);
    return sweeps;
}

}  // namespace

TEST(FrameRate, SweepsMoveByOneTowardSixtyFramesPerSecond) {
    EXPECT_EQ(sweepsAfter(10, {60, 60, 60}), 10);
    EXPECT_EQ(sweepsAfter(10, {30, 30, 30}), 7);
    EXPECT_EQ(sweepsAfter(10, {90, 90}), 12);
    EXPECT_EQ(sweepsAfter(10, {59, 61, 59, 61}), 10);
    // Never below one, however slow.
    EXPECT_EQ(sweepsAfter(3, std::vector<std::int32_t>(20, 5)), 1);
    // From the floor a fast frame climbs at once.
    EXPECT_EQ(sweepsAfter(1, {5, 200}), 2);
}

TEST(BrushWheel, RadiusStaysWithinZeroToHundred) {
    EXPECT_EQ(wheelRadius(0, -1.0f), 0);
    EXPECT_EQ(wheelRadius(100, 1.0f), 100);
    EXPECT_EQ(wheelRadius(98, 5.0f), 100);
    EXPECT_EQ(wheelRadius(3, -5.0f), 0);
    EXPECT_EQ(wheelRadius(25, 1.0f), 26);
    EXPECT_EQ(wheelRadius(25, -1.0f), 24);
    // Truncated toward zero: fractions of a notch do nothing.
    EXPECT_EQ(wheelRadius(25, 0.9f), 25);
    EXPECT_EQ(wheelRadius(25, -1.9f), 24);
    // The step is the low 8 bits of the notches: 300 steps by 44.
    EXPECT_EQ(wheelRadius(10, 300.0f), 54);
    // A wild delta saturates at the largest 32-bit count, whose low 8 bits
    // step by -1; nothing reaches an undefined conversion.
    EXPECT_EQ(wheelRadius(50, 1e30f), 49);
    EXPECT_EQ(wheelRadius(50, std::numeric_limits<float>::quiet_NaN()), 50);
}

TEST(BrushStatus, ListsTheModesThenTheRadius) {
    Brush brush;
    EXPECT_EQ(statusText(brush), "radius = 25");
    brush.hard = true;
    EXPECT_EQ(statusText(brush), "hardbrush on, radius = 25");
    brush.eraser = true;
    brush.radius = 100;
    EXPECT_EQ(statusText(brush), "eraser on, hardbrush on, radius = 100");
    brush.hard = false;
    brush.radius = 0;
    EXPECT_EQ(statusText(brush), "eraser on, radius = 0");
    // The metal brush puts its mode and potential first; the rest of the line is the same.
    brush.metal = true;
    EXPECT_EQ(statusText(brush), "metal at 0, eraser on, radius = 0");
    brush.metalLevel = -10;
    brush.eraser = false;
    EXPECT_EQ(statusText(brush), "metal at -1, radius = 0");
}

TEST(MetalPotential, StepsThroughOneTwoFiveWithZeroBetweenTheSigns) {
    const char* const series[] = {"0",    "0.001", "0.002", "0.005", "0.01", "0.02",
                                  "0.05", "0.1",   "0.2",   "0.5",   "1"};
    const double values[] = {0.0, 0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2, 0.5, 1.0};
    std::int8_t up = 0;
    std::int8_t down = 0;
    for (int k = 0; k <= 10; ++k) {
        EXPECT_EQ(metalPotentialText(up), series[k]);
        EXPECT_EQ(metalPotential(up), values[k]);
        EXPECT_EQ(metalPotentialText(down), std::string(k > 0 ? "-" : "") + series[k]);
        EXPECT_EQ(metalPotential(down), -values[k]);
        up = raisedMetalLevel(up);
        down = loweredMetalLevel(down);
    }
    // At either end a further press changes nothing; grounded is +0 for either button.
    EXPECT_EQ(up, 10);
    EXPECT_EQ(down, -10);
    EXPECT_FALSE(std::signbit(buttonPotential(Brush{}, false)));
    Brush brush;
    brush.metalLevel = 3;
    EXPECT_EQ(buttonPotential(brush, true), 0.005);
    EXPECT_EQ(buttonPotential(brush, false), -0.005);
}

TEST(BrushKeys, BAndETogglePlainKeysDoNothing) {
    Brush brush;
    sf::Event press{};
    press.type = sf::Event::KeyPressed;
    press.key.code = sf::Keyboard::B;
    handleEvent(brush, press);
    EXPECT_TRUE(brush.hard);
    press.key.code = sf::Keyboard::E;
    handleEvent(brush, press);
    handleEvent(brush, press);
    EXPECT_FALSE(brush.eraser);
    press.key.code = sf::Keyboard::F;
    handleEvent(brush, press);
    EXPECT_TRUE(brush.metal);
    press.key.code = sf::Keyboard::Q;
    handleEvent(brush, press);
    sf::Event release{};
    release.type = sf::Event::KeyReleased;
    release.key.code = sf::Keyboard::B;
    handleEvent(brush, release);
    EXPECT_TRUE(brush.hard);
    EXPECT_EQ(brush.radius, 25);

    sf::Event wheel{};
    wheel.type = sf::Event::MouseWheelScrolled;
    wheel.mouseWheelScroll.wheel = sf::Mouse::HorizontalWheel;
    wheel.mouseWheelScroll.delta = -2.0f;
    handleEvent(brush, wheel);
    EXPECT_EQ(brush.radius, 23);
}

TEST(FrameTexts, SixLayerTitles) {
    EXPECT_EQ(layerTitle(true, false, false), "Charge distribution");
    EXPECT_EQ(layerTitle(false, false, true), "Electrostatic potential");
    EXPECT_EQ(layerTitle(true, true, false), "Charge distribution with electric field");
    EXPECT_EQ(layerTitle(false, true, false), "Electrostatic potential with electric field");
    EXPECT_EQ(layerTitle(true, true, true), "Charge distribution with normalized electric field");
    EXPECT_EQ(layerTitle(false, true, true),
              "Electrostatic potential with normalized electric field");
}

TEST(FrameTexts, CursorReadoutInNodeIndices) {
    EXPECT_EQ(cursorReadout({10, 5}, 3), "x = 3\ny = 1");
    EXPECT_EQ(cursorReadout({0, 0}, 1), "x = 0\ny = 0");
    EXPECT_EQ(cursorReadout({399, 398}, 2), "x = 199\ny = 199");
}
