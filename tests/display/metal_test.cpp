// Metal as physics: what conductors held at a potential do to the field the solver finds, each
// on the program's own model and relax after enough sweeps to converge far below the stated
// tolerance.

#include <gtest/gtest.h>

#include <SFML/Window/Context.hpp>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "../support/ProgramModel.hpp"
#include "AppFixture.hpp"
#include "metal/InducedCharge.hpp"
#include "metal/MetalBrush.hpp"

namespace {

constexpr std::uint32_t converged = 3000;

double& phiAt(FieldModel& m, std::uint32_t i, std::uint32_t j) {
    return m.potential.data[m.grid.index(i, j)];
}

// A closed ring of metal at `potential`, two nodes thick, painted node by node through the
// brush's own disc.
void paintRing(FieldModel& m, double cx, double cy, double r, double potential) {
    for (std::uint32_t i = 0; i < m.grid.nx; ++i) {
        for (std::uint32_t j = 0; j < m.grid.ny; ++j) {
            const double d = std::hypot(i - cx, j - cy);
            if (d < r - 1.0 || d >= r + 1.0) continue;
            paintMetalDisc(m, {static_cast<std::int16_t>(i), static_cast<std::int16_t>(j), 0, false,
                               potential});
        }
    }
}

// A hard disc of charge density `density`.
void putCharge(FieldModel& m, std::int16_t cx, std::int16_t cy, std::uint16_t r, double density) {
    m.charge.stampDisc(cx, cy, r, false, true, density, false);
}

double ey(const FieldModel& m, std::uint32_t i, std::uint32_t j) {
    const double* p = m.potential.data.data();
    return -(p[m.grid.index(i, j + 1)] - p[m.grid.index(i, j - 1)]) / (2.0 * m.grid.hy);
}

class Metal : public ::testing::Test {
  protected:
    const sf::Context keepDisplayOpen;
};

TEST_F(Metal, AGroundedRingShieldsItsInsideFromChargeOutside) {
    // The outside charge's potential fills the grid first, then the ring is painted round a
    // part of it: the inside must fall to 0 and stay there.
    auto m = programModel(120, 120);
    putCharge(*m, 25, 30, 8, 1.0);
    putCharge(*m, 95, 90, 6, -1.0);
    m->relax(converged);
    const double outside = std::abs(phiAt(*m, 60, 60));
    ASSERT_GT(outside, 1e-4);
    paintRing(*m, 60.0, 60.0, 25.0, 0.0);
    m->relax(converged);
    double inside = 0.0;
    for (std::uint32_t i = 40; i <= 80; ++i) {
        for (std::uint32_t j = 40; j <= 80; ++j) {
            if (std::hypot(i - 60.0, j - 60.0) < 23.0)
                inside = std::max(inside, std::abs(phiAt(*m, i, j)));
        }
    }
    EXPECT_LT(inside, 1e-9 * outside);
    // Outside the ring the charge's own field is still there.
    EXPECT_GT(std::abs(phiAt(*m, 25, 30)), outside);
}

TEST_F(Metal, TwoPlatesAtPlusMinusVGiveAUniformFieldOfTwoVOverD) {
    auto m = programModel(200, 200);
    const double v = 0.1;
    for (std::int16_t i = 20; i <= 180; ++i) {
        paintMetalDisc(*m, {i, 70, 0, false, v});
        paintMetalDisc(*m, {i, 130, 0, false, -v});
    }
    m->relax(converged);
    const double d = 60 * m->grid.hy;
    // Away from the plates' ends and from the plates themselves, within 0.5 % (0.12 % seen).
    for (std::uint32_t i = 80; i <= 120; i += 10) {
        for (std::uint32_t j = 80; j <= 120; j += 10) {
            EXPECT_NEAR(ey(*m, i, j), 2.0 * v / d, 0.005 * 2.0 * v / d) << i << ", " << j;
        }
    }
}

TEST_F(Metal, AChargeBeforeAGroundedPlateSeesItsMirrorImage) {
    // A grounded plate down the middle column of a grounded box, a charge 20 nodes to its
    // right; without the plate, the charge and its negative mirrored in that column. On the
    // charge's side the two potentials must agree: the plate is the image charge's work.
    const std::uint32_t n = 161;
    const std::uint32_t c = n / 2;
    auto plate = programModel(n, n);
    auto mirrored = programModel(n, n);
    for (std::int16_t j = 1; j + 1 < static_cast<std::int16_t>(n); ++j)
        paintMetalDisc(*plate, {static_cast<std::int16_t>(c), j, 0, false, 0.0});
    putCharge(*plate, c + 20, c, 3, 1.0);
    putCharge(*mirrored, c + 20, c, 3, 1.0);
    putCharge(*mirrored, c - 20, c, 3, -1.0);
    plate->relax(converged);
    mirrored->relax(converged);
    double largest = 0.0;
    double worst = 0.0;
    for (std::uint32_t i = c + 1; i + 1 < n; ++i) {
        for (std::uint32_t j = 1; j + 1 < n; ++j) {
            largest = std::max(largest, std::abs(phiAt(*mirrored, i, j)));
            worst = std::max(worst, std::abs(phiAt(*plate, i, j) - phiAt(*mirrored, i, j)));
        }
    }
    EXPECT_LT(worst, 1e-9 * largest);
}

TEST_F(Metal, TheInducedChargeOfAClosedRingIsMinusTheChargeItEncloses) {
    // Gauss: a grounded ring in a grounded box with charge inside only gathers exactly the
    // opposite charge, all of it on its inner surface (within 1e-9).
    auto m = programModel(120, 120);
    putCharge(*m, 55, 62, 7, 1.0);
    putCharge(*m, 70, 55, 3, -1.0);
    paintRing(*m, 60.0, 60.0, 30.0, 0.0);
    m->relax(converged);
    double enclosed = 0.0;
    double induced = 0.0;
    double outerSurface = 0.0;
    for (std::uint32_t i = 1; i + 1 < m->grid.nx; ++i) {
        for (std::uint32_t j = 1; j + 1 < m->grid.ny; ++j) {
            const double r = std::hypot(i - 60.0, j - 60.0);
            if (r < 29.0) enclosed += m->charge.density.data[m->grid.index(i, j)];
            if (!m->metal.isMetal(m->grid.index(i, j))) continue;
            const double q = inducedCharge(*m, i, j);
            induced += q;
            if (r > 30.0) outerSurface += std::abs(q);
        }
    }
    ASSERT_GT(enclosed, 100.0);
    EXPECT_NEAR(induced, -enclosed, 1e-9 * enclosed);
    EXPECT_LT(outerSurface, 1e-6 * enclosed);
}

TEST_F(Metal, PaintingHoldsInteriorNodesOnlyAndTheLayersShowIt) {
    auto app = makeApp(64, 48);
    FieldModel& m = app->model;
    m.charge.density.data[m.grid.index(2, 2)] = 1.0;
    // A disc over the corner: the edge nodes stay the boundary's.
    EXPECT_TRUE(paintMetalDisc(m, {1, 1, 3, false, 0.5}));
    EXPECT_FALSE(m.metal.isMetal(m.grid.index(0, 2)));
    EXPECT_FALSE(m.metal.isMetal(m.grid.index(2, 0)));
    EXPECT_TRUE(m.metal.isMetal(m.grid.index(1, 1)));
    EXPECT_TRUE(m.metal.isMetal(m.grid.index(3, 2)));
    EXPECT_FALSE(paintMetalDisc(m, {1, 1, 3, false, 0.5})) << "painting again changes nothing";
    app->frameStep();
    // The metal holds its potential; its corner node next to the grounded sides gathers
    // positive charge, shown saturated red; a node inside shows none.
    EXPECT_EQ(phiAt(m, 1, 1), 0.5);
    EXPECT_EQ(m.charge.density.image.getPixel(1, 1), sf::Color(255, 0, 0));
    EXPECT_EQ(inducedCharge(m, 2, 2), 0.0);
    EXPECT_EQ(m.charge.density.image.getPixel(2, 2), sf::Color(0, 0, 0));
    // Erasing frees the nodes and shows their free charge again.
    EXPECT_TRUE(paintMetalDisc(m, {2, 2, 0, true, 0.0}));
    EXPECT_EQ(m.charge.density.image.getPixel(2, 2), sf::Color(255, 0, 0));
    // Loading a scenario removes every metal node.
    pressKey(*app, sf::Keyboard::L);
    EXPECT_EQ(m.metal.count, 0u);
    EXPECT_EQ(std::count(m.metal.held.begin(), m.metal.held.end(), 1), 0);
}

}  // namespace
