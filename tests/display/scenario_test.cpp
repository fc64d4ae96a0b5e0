#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "AppFixture.hpp"

namespace {

using Expected = std::function<double(int, int)>;

// The soft stamp's deposit at squared distance d2 from a centre: the centre
// gets peak (density times 0.05), a node at distance d the fraction
// sqrt(1 - d^2 / (r + 1)^2) of it, nodes farther than r nothing.
double softProfile(double d2, int r, double peak) {
    if (d2 > double(r) * r) return 0.0;
    return peak * std::sqrt(1.0 - d2 / ((r + 1.0) * (r + 1.0)));
}

double disc(int i, int j, int cx, int cy, int r, double peak) {
    return softProfile(double((i - cx) * (i - cx) + (j - cy) * (j - cy)), r, peak);
}

struct Deposit {
    int cx;
    int cy;
    int r;
    double peak;
};

// Soft deposits one after the other on a plain array, each node clamped to
// [-1, 1] after each deposit: the values overlapping discs must add up to.
std::vector<double> deposits(int nx, int ny, const std::vector<Deposit>& list) {
    std::vector<double> rho(std::size_t(nx) * ny, 0.0);
    for (const Deposit& d : list) {
        for (int i = 0; i < nx; ++i) {
            for (int j = 0; j < ny; ++j) {
                double& v = rho[std::size_t(i) * ny + j];
                if (double(i - d.cx) * (i - d.cx) + double(j - d.cy) * (j - d.cy) > d.r * d.r) {
                    continue;
                }
                v = std::clamp(v + disc(i, j, d.cx, d.cy, d.r, d.peak), -1.0, 1.0);
            }
        }
    }
    return rho;
}

// The crystal's 6 x 6 checkerboard from the node counts.
std::vector<Deposit> crystalDeposits(int nx, int ny) {
    const int x0 = nx / 12, sx = nx / 6, y0 = ny / 15, sy = (ny - 2 * y0) / 5;
    std::vector<Deposit> list;
    for (int f = 0; f < 6; ++f) {
        for (int g = 0; g < 6; ++g) {
            list.push_back({x0 + f * sx, y0 + g * sy, 10, (f + g) % 2 == 0 ? 0.75 : -0.75});
        }
    }
    return list;
}

::testing::AssertionResult chargeMatches(const Application& app, const Expected& expected) {
    const int nx = int(app.model.grid.nx), ny = int(app.model.grid.ny);
    for (int i = 0; i < nx; ++i) {
        for (int j = 0; j < ny; ++j) {
            const double got = chargeAt(app, std::uint32_t(i), std::uint32_t(j));
            if (std::abs(got - expected(i, j)) > 1e-12) {
                return ::testing::AssertionFailure() << "node (" << i << ", " << j << ") holds "
                                                     << got << ", expected " << expected(i, j);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

Expected fromArray(const std::vector<double>& rho, int ny) {
    return [&rho, ny](int i, int j) { return rho[std::size_t(i) * ny + j]; };
}

void expectSide(const Application& app, int side, BoundaryKind kind, double value) {
    EXPECT_EQ(app.model.boundaries[side].kind, kind) << "side " << side;
    if (kind == Fixed) {
        EXPECT_EQ(app.model.boundaries[side].value, value) << "side " << side;
    }
}

bool contains(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

class Scenario400 : public ::testing::Test {
  protected:
    std::unique_ptr<Application> app = makeApp(400, 400);
};

TEST_F(Scenario400, InfiniteCapacitorSpansTheWidthBetweenPeriodicSides) {
    app->leftBoundaryValue = 0.2;  // left untouched by the capacitors
    app->loadPreset(0);
    EXPECT_TRUE(chargeMatches(*app, [](int, int j) {
        return j >= 100 && j <= 104 ? 1.0 : (j >= 300 && j <= 304 ? -1.0 : 0.0);
    }));
    expectSide(*app, Top, Fixed, 0.0031);
    expectSide(*app, Bottom, Fixed, -0.0031);
    expectSide(*app, Left, Periodic, 0.0);
    expectSide(*app, Right, Periodic, 0.0);
    EXPECT_TRUE(app->verticalPeriodic);
    EXPECT_EQ(app->topBoundaryValue, 0.0031);
    EXPECT_EQ(app->bottomBoundaryValue, -0.0031);
    EXPECT_EQ(app->leftBoundaryValue, 0.2);
    EXPECT_EQ(stringOf(app->loadedPresetText), "Infinite capacitor");
    const std::string panel = panelText(*app);
    EXPECT_TRUE(contains(panel, "* Vertical periodic boundaries = 1 +-1\n")) << panel;
    EXPECT_TRUE(contains(panel, "  Top boundary value = 0.003100 +-1.000000\n")) << panel;
    EXPECT_TRUE(contains(panel, "  Bottom boundary value = -0.003100 +-1.000000\n")) << panel;
    EXPECT_TRUE(contains(panel, "  Left boundary value = 0.200000 +-1.000000\n")) << panel;
}

TEST_F(Scenario400, FiniteCapacitorHasShortPlatesNearTheMiddle) {
    app->loadPreset(1);
    EXPECT_TRUE(chargeMatches(*app, [](int i, int j) {
        if (i < 120 || i > 279) return 0.0;
        return j >= 167 && j <= 169 ? 1.0 : (j >= 233 && j <= 235 ? -1.0 : 0.0);
    }));
    expectSide(*app, Top, Fixed, 0.0003);
    expectSide(*app, Bottom, Fixed, -0.0003);
    expectSide(*app, Left, Periodic, 0.0);
    expectSide(*app, Right, Periodic, 0.0);
    EXPECT_TRUE(app->verticalPeriodic);
    EXPECT_EQ(stringOf(app->loadedPresetText), "Finite capacitor");
    EXPECT_TRUE(contains(panelText(*app), "  Top boundary value = 0.000300 +-1.000000\n"));
    EXPECT_TRUE(contains(panelText(*app), "  Bottom boundary value = -0.000300 +-1.000000\n"));
}

TEST_F(Scenario400, PointChargesAreSoftDiscsOfRadiusThirty) {
    app->loadPreset(2);
    EXPECT_TRUE(chargeMatches(*app, [](int i, int j) { return disc(i, j, 200, 200, 30, 0.5); }));
    EXPECT_EQ(chargeAt(*app, 200, 200), 0.5);
    EXPECT_GT(chargeAt(*app, 230, 200), 0.0);
    EXPECT_GT(chargeAt(*app, 200, 170), 0.0);
    EXPECT_EQ(chargeAt(*app, 231, 200), 0.0);
    EXPECT_EQ(chargeAt(*app, 200, 231), 0.0);
    EXPECT_EQ(stringOf(app->loadedPresetText), "Monopole field");

    app->loadPreset(3);
    EXPECT_TRUE(chargeMatches(*app, [](int i, int j) {
        return disc(i, j, 200, 150, 30, 0.5) + disc(i, j, 200, 250, 30, -0.5);
    }));
    EXPECT_EQ(chargeAt(*app, 200, 150), 0.5);
    EXPECT_EQ(chargeAt(*app, 200, 250), -0.5);

    app->loadPreset(4);
    EXPECT_TRUE(chargeMatches(*app, [](int i, int j) {
        return disc(i, j, 200, 150, 30, 0.5) + disc(i, j, 200, 250, 30, 0.5) +
               disc(i, j, 150, 200, 30, -0.5) + disc(i, j, 250, 200, 30, -0.5);
    }));
    EXPECT_EQ(chargeAt(*app, 150, 200), -0.5);
    EXPECT_EQ(stringOf(app->loadedPresetText), "Quadrupole field");
}

TEST_F(Scenario400, IonicCrystalIsACheckerboardBetweenPeriodicSides) {
    app->loadPreset(5);
    const int xs[] = {33, 99, 165, 231, 297, 363};
    const int ys[] = {26, 95, 164, 233, 302, 371};
    EXPECT_TRUE(chargeMatches(*app, [&](int i, int j) {
        double v = 0.0;
        for (int f = 0; f < 6; ++f) {
            for (int g = 0; g < 6; ++g)
                v += disc(i, j, xs[f], ys[g], 10, (f + g) % 2 ? -0.75 : 0.75);
        }
        return v;
    }));
    EXPECT_EQ(chargeAt(*app, 33, 26), 0.75);
    EXPECT_EQ(chargeAt(*app, 99, 26), -0.75);
    EXPECT_EQ(chargeAt(*app, 33, 95), -0.75);
    expectSide(*app, Left, Periodic, 0.0);
    expectSide(*app, Right, Periodic, 0.0);
    expectSide(*app, Top, Fixed, 0.0);
    expectSide(*app, Bottom, Fixed, 0.0);
    EXPECT_TRUE(app->verticalPeriodic);
    EXPECT_EQ(stringOf(app->loadedPresetText), "Model of ionic crystal");
}

TEST_F(Scenario400, ChargedShellLeavesAPositiveRing) {
    app->loadPreset(6);
    const auto ring = [](int i, int j) {
        const double d2 = double((i - 200) * (i - 200) + (j - 200) * (j - 200));
        const double outer = softProfile(d2, 100, 1.0);
        if (d2 > 75.0 * 75.0) return outer;
        // The eraser lowers the disc towards zero but never below it.
        return std::max(outer + softProfile(d2, 75, -1.25), 0.0);
    };
    EXPECT_TRUE(chargeMatches(*app, ring));
    const auto& rho = app->model.charge.density.data;
    EXPECT_GE(*std::min_element(rho.begin(), rho.end()), 0.0);
    EXPECT_EQ(chargeAt(*app, 200, 200), 0.0);
    EXPECT_EQ(chargeAt(*app, 250, 200), 0.0);
    EXPECT_GT(chargeAt(*app, 275, 200), 0.0);  // the eraser's rim only lowers
    EXPECT_LT(chargeAt(*app, 275, 200), std::sqrt(1.0 - 75.0 * 75.0 / (101.0 * 101.0)));
    EXPECT_GT(chargeAt(*app, 300, 200), 0.0);
    EXPECT_EQ(chargeAt(*app, 301, 200), 0.0);
}

TEST_F(Scenario400, MonopoleAfterInfiniteCapacitorFixesAllSidesAtZero) {
    app->loadPreset(0);
    app->leftBoundaryValue = 0.4;
    app->loadPreset(2);
    for (const int side : {Left, Right, Top, Bottom})
        expectSide(*app, side, Fixed, 0.0);
    EXPECT_TRUE(app->verticalPeriodic);
    EXPECT_EQ(app->topBoundaryValue, 0.0);
    EXPECT_EQ(app->bottomBoundaryValue, 0.0);
    EXPECT_EQ(app->leftBoundaryValue, 0.0);
    EXPECT_EQ(app->rightBoundaryValue, 0.0);
    const std::string panel = panelText(*app);
    EXPECT_TRUE(contains(panel, "* Vertical periodic boundaries = 1 +-1\n")) << panel;
    EXPECT_TRUE(contains(panel, "  Top boundary value = 0.000000 +-1.000000\n")) << panel;
    EXPECT_TRUE(contains(panel, "  Left boundary value = 0.000000 +-1.000000\n")) << panel;
}

TEST_F(Scenario400, LoadingKeepsThePotentialAndReplacesTheCharge) {
    for (std::uint8_t index = 0; index < scenarioCount; ++index) {
        std::fill(app->model.potential.data.begin(), app->model.potential.data.end(), 0.25);
        app->model.charge.density.data[0] = -0.5;  // a stray deposit must be cleared
        app->loadPreset(index);
        app->loadPreset(index);  // twice: rebuilt from cleared charge, not added
        int changedInterior = 0;
        for (std::uint32_t i = 1; i < 399; ++i) {
            for (std::uint32_t j = 1; j < 399; ++j) {
                changedInterior += app->model.potential.data[i * 400 + j] != 0.25;
            }
        }
        EXPECT_EQ(changedInterior, 0) << "scenario " << int(index);
        EXPECT_NE(chargeAt(*app, 0, 0), -0.5) << "scenario " << int(index);
    }
    app->loadPreset(2);
    app->loadPreset(2);
    EXPECT_EQ(chargeAt(*app, 200, 200), 0.5);
}

TEST_F(Scenario400, IndexBeyondTheTableDoesNothing) {
    app->loadPreset(3);
    const std::string before = stateText(*app);
    app->loadPreset(scenarioCount);
    app->loadPreset(255);
    EXPECT_EQ(stateText(*app), before);
}

TEST(ScenarioSmallGrid, InfiniteCapacitorPlatesOverlapRowByRow) {
    // Six rows: the positive plate starts at 3 - 1 = 2 (not at 6 / 4 = 1), the
    // negative one at 4. Each positive row is written after the negative row
    // above it, so rows 4 and 5 end positive; rows past the grid are dropped.
    auto app = makeApp(10, 6);
    app->loadPreset(0);
    EXPECT_TRUE(chargeMatches(*app, [](int, int j) { return j >= 2 ? 1.0 : 0.0; }));
}

TEST(ScenarioSmallGrid, FiniteCapacitorPlatesShareRowsAndNegativeWins) {
    for (std::uint32_t ny = 6; ny <= 11; ++ny) {
        auto app = makeApp(20, ny);
        app->loadPreset(1);
        const int first = int(ny) / 2;
        EXPECT_TRUE(chargeMatches(*app,
                                  [first](int i, int j) {
                                      return i >= 6 && i < 14 && j >= first && j < first + 3 ? -1.0
                                                                                             : 0.0;
                                  }))
            << "ny = " << ny;
    }
}

TEST(ScenarioSmallGrid, PointChargesCollapseOnTheCentreNode) {
    const std::uint32_t sizes[][2] = {{7, 7}, {5, 12}, {12, 3}, {30, 7}};
    for (const auto& size : sizes) {
        auto app = makeApp(size[0], size[1]);
        const int cx = int(size[0] / 2), cy = int(size[1] / 2);
        app->loadPreset(2);
        EXPECT_TRUE(
            chargeMatches(*app, [=](int i, int j) { return i == cx && j == cy ? 0.5 : 0.0; }))
            << size[0] << "x" << size[1];
        for (const std::uint8_t cancelling : {3, 4}) {
            app->loadPreset(cancelling);
            EXPECT_TRUE(chargeMatches(*app, [](int, int) { return 0.0; }))
                << size[0] << "x" << size[1] << " scenario " << int(cancelling);
        }
    }
}

TEST(ScenarioSmallGrid, CrystalDiscsOverlapAndAddUp) {
    const std::uint32_t sizes[][2] = {{24, 24}, {40, 30}};
    for (const auto& size : sizes) {
        auto app = makeApp(size[0], size[1]);
        app->loadPreset(5);
        const int nx = int(size[0]), ny = int(size[1]);
        const std::vector<double> rho = deposits(nx, ny, crystalDeposits(nx, ny));
        EXPECT_TRUE(chargeMatches(*app, fromArray(rho, ny))) << nx << "x" << ny;
        // Neighbouring discs of opposite sign overlap, so the first centre
        // does not keep its peak.
        const Deposit first = crystalDeposits(nx, ny).front();
        EXPECT_LT(std::abs(chargeAt(*app, std::uint32_t(first.cx), std::uint32_t(first.cy))), 0.7);
    }
}

TEST(ScenarioSmallGrid, EveryScenarioStaysInsideAwkwardGrids) {
    const std::uint32_t sizes[][2] = {{1, 1}, {1, 5}, {5, 1}, {2, 2}, {3, 3}, {5, 5}, {7, 13}};
    for (const auto& size : sizes) {
        auto app = makeApp(size[0], size[1]);
        for (std::uint8_t index = 0; index < scenarioCount; ++index) {
            app->loadPreset(index);
            for (const double v : app->model.charge.density.data) {
                ASSERT_TRUE(v >= -1.0 && v <= 1.0)
                    << size[0] << "x" << size[1] << " scenario " << int(index) << ": " << v;
            }
        }
        // The last one loaded, the shell, has an inner radius of 0 on these
        // grids: its eraser brings the centre from 1.0 down to zero.
        EXPECT_EQ(chargeAt(*app, size[0] / 2, size[1] / 2), 0.0);
    }
}

}  // namespace
