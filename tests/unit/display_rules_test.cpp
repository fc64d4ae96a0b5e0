#include <gtest/gtest.h>

#include <cmath>

#include "app/Display.hpp"
#include "app/Limits.hpp"
#include "field/Axis.hpp"
#include "field/Grid2D.hpp"

TEST(DisplayScale, AutomaticScaleFitsTheDesktopLessItsPanels) {
    // 615 / 400 = 1 rows of height, 960 / 400 = 2 of width: the smaller wins.
    EXPECT_EQ(decideScale(0, {960, 720}, 400, 400), 1);
    EXPECT_EQ(decideScale(0, {1920, 1080}, 400, 400), 2);
    EXPECT_EQ(decideScale(0, {3840, 2160}, 400, 400), 5);
    // 800 / 900 = 0 becomes 1.
    EXPECT_EQ(decideScale(0, {800, 600}, 900, 100), 1);
    // A tiny grid on a big desktop stops at the largest 8-bit scale.
    EXPECT_EQ(decideScale(0, {3840, 2160}, 2, 2), 255);
    // A desktop shorter than the reserved height does not wrap around.
    EXPECT_EQ(decideScale(0, {800, 100}, 10, 10), 1);
}

TEST(DisplayScale, RequestedScaleIsUsedWhateverTheDesktop) {
    EXPECT_EQ(decideScale(3, {960, 720}, 400, 400), 3);
    EXPECT_EQ(decideScale(3, {100, 100}, 400, 400), 3);
    EXPECT_EQ(decideScale(255, {100, 100}, 1, 1), 255);
}

TEST(WindowPlacement, CentredOnTheDesktopLessItsPanels) {
    EXPECT_EQ(windowPlacement({960, 720}, {400, 400}), sf::Vector2i(280, 107));
    EXPECT_EQ(windowPlacement({800, 600}, {900, 100}), sf::Vector2i(-50, 197));
    // Halvings round down separately: 961/2 - 401/2 = 480 - 200.
    EXPECT_EQ(windowPlacement({961, 721}, {401, 401}), sf::Vector2i(280, 108));
    // A window taller than the usable height gets a negative y.
    EXPECT_EQ(windowPlacement({960, 720}, {400, 1200}), sf::Vector2i(280, -293));
}

TEST(Limits, GridAndRenderAreaMustFitOneTexture) {
    EXPECT_FALSE(gridProblem(16384, 16384, 16384).has_value());
    EXPECT_TRUE(gridProblem(16385, 1, 16384).has_value());
    EXPECT_TRUE(gridProblem(1, 65535, 16384).has_value());
    EXPECT_FALSE(renderAreaProblem(1200, 1200, 16384).has_value());
    const auto problem = renderAreaProblem(102000, 102000, 16384);
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find("102000x102000"), std::string::npos);
}

TEST(Grid, DomainIsOneHighAndAsWideAsTheAspectRatio) {
    const Grid2D square = domainGrid(400, 400);
    EXPECT_EQ(square.hx, 1.0 / 400.0);
    EXPECT_EQ(square.hx, square.hy);
    const Grid2D wide = domainGrid(600, 300);
    EXPECT_EQ(wide.xmax, 2.0);
    EXPECT_EQ(wide.hx, wide.hy);
    EXPECT_EQ(wide.index(599, 299), 599u * 300u + 299u);
    // 0.6 / 3 lies one unit in the last place below the double nearest 0.2.
    const Grid2D odd = domainGrid(3, 5);
    EXPECT_EQ(odd.hy, 0.2);
    EXPECT_EQ(odd.hx, std::nextafter(0.2, 0.0));
}
