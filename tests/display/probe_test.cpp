// The probe's read-out against the model it reads, and against the physics of the capacitor.

#include <gtest/gtest.h>

#include <SFML/Window/Mouse.hpp>
#include <cmath>
#include <string>

#include "../support/ProgramModel.hpp"
#include "AppFixture.hpp"
#include "field/Scenarios.hpp"
#include "measure/CrossSection.hpp"
#include "measure/MeasureText.hpp"
#include "measure/NodeReading.hpp"
#include "metal/InducedCharge.hpp"
#include "metal/MetalBrush.hpp"

namespace {

TEST(ProbeReading, IsTheModelsOwnNumbersAtEveryKindOfNode) {
    auto m = programModel(41, 30);
    scenarios()[3].build(*m);  // the dipole
    m->relax(40);
    m->field.computeField(m->potential, -1);
    // Corners, edges and the interior take different differences.
    for (const NodeIndex n : {NodeIndex{0, 0}, NodeIndex{40, 29}, NodeIndex{0, 14},
                              NodeIndex{20, 0}, NodeIndex{20, 14}, NodeIndex{21, 9}}) {
        const std::size_t k = m->grid.index(n.i, n.j);
        const NodeReading r = readNode(*m, n);
        EXPECT_EQ(r.phi, m->potential.data[k]);
        EXPECT_EQ(r.ex, m->field.data[2 * k]) << n.i << ", " << n.j;
        EXPECT_EQ(r.ey, m->field.data[2 * k + 1]) << n.i << ", " << n.j;
        EXPECT_EQ(r.rho, m->charge.density.data[k]);
        const std::string text = probeReadout(r, std::nullopt, m->grid.ny);
        EXPECT_NE(text.find("phi = " + measureNumber(r.phi) + "\n"), std::string::npos) << text;
        EXPECT_NE(text.find("rho = " + measureNumber(r.rho)), std::string::npos) << text;
    }
    // On metal the read-out says so and gives the charge the metal gathers there.
    paintMetalDisc(*m, {10, 10, 2, false, 0.01});
    m->relax(5);
    const NodeReading r = readNode(*m, {12, 10});
    EXPECT_EQ(r.rho, inducedCharge(*m, 12, 10));
    const std::string text = probeReadout(r, std::nullopt, m->grid.ny);
    EXPECT_NE(text.find("Probe at (12, 10), metal\nphi = 0.01000"), std::string::npos) << text;
    EXPECT_NE(text.find("\ninduced rho = " + measureNumber(r.rho)), std::string::npos) << text;
}

TEST(ProbeReading, PotentialDifferenceAcrossTheCapacitorIsTheFieldTimesTheDistance) {
    // Between the plates of the infinite capacitor the field is uniform: the voltmeter's
    // difference between two nodes of one column is E times their distance.
    auto m = programModel(20, 80);
    scenarios()[0].build(*m);
    m->relax(4000);
    const NodeIndex reference{7, 30};
    const NodeIndex probe{7, 50};
    const NodeReading at = readNode(*m, probe);
    const NodeReading ref = readNode(*m, reference);
    const double distance = nodeDistance(probe, reference, m->grid.ny);
    EXPECT_DOUBLE_EQ(distance, 20.0 / 80.0);
    // E points down (+y) from the positive plate above; phi falls along it.
    EXPECT_NEAR(ref.phi - at.phi, at.ey * distance, 1e-6 * std::fabs(at.ey * distance));
    EXPECT_NEAR(at.ex, 0.0, 1e-9 * at.ey);
    const std::string text = probeReadout(at, ref, m->grid.ny);
    EXPECT_NE(text.find("phi - phi_ref = " + measureNumber(at.phi - ref.phi)), std::string::npos);
    EXPECT_NE(text.find("distance = 0.2500"), std::string::npos) << text;
    EXPECT_NE(text.find("at 90.0 deg"), std::string::npos) << text;
}

TEST(MeasureNumber, ShowsAtLeastFourSignificantDigits) {
    const struct {
        double value;
        const char* text;
    } rows[] = {{0.0031, "0.003100"}, {1.24, "1.240"},        {-12.5, "-12.50"},
                {1234.4, "1234"},     {0.00031, "3.100e-04"}, {2.5e7, "2.500e+07"},
                {0.0, "0.000"},       {0.001, "0.001000"},    {-INFINITY, "-inf"},
                {NAN, "nan"}};
    for (const auto& row : rows)
        EXPECT_EQ(measureNumber(row.value), row.text) << row.value;
}

TEST(CrossSection, DrawsNothingOnAWindowTooSmallForAReadableGraph) {
    // Width 240 and a panel of at least 120 rows above the bottom texts' strip.
    EXPECT_EQ(sectionPanel({239, 800}).width, 0.0f);
    EXPECT_EQ(sectionPanel({800, 219}).width, 0.0f);
    const sf::FloatRect fits = sectionPanel({400, 300});
    EXPECT_EQ(fits.width, 400.0f);
    EXPECT_EQ(fits.top + fits.height, 250.0f);
    auto app = makeApp(100, 100);
    pressKey(*app, sf::Keyboard::G);
    app->frameStep();
    EXPECT_FALSE(app->crossSection.fits);
    EXPECT_EQ(app->crossSection.phiCurve.getVertexCount(), 0u);
}

TEST(ProbeKeys, RPinsTheNodeUnderThePointerAndTurningTheProbeOffForgetsIt) {
    auto app = makeApp(64, 48);
    pressKey(*app, sf::Keyboard::R);
    EXPECT_FALSE(app->probe.reference) << "R acts only while the probe is on";
    pressKey(*app, sf::Keyboard::M);
    EXPECT_TRUE(app->probe.text.visible);
    sf::Mouse::setPosition({10, 20}, *app->window);
    pressKey(*app, sf::Keyboard::R);
    ASSERT_TRUE(app->probe.reference);
    EXPECT_EQ(*app->probe.reference, (NodeIndex{10, 20}));
    // With the pointer off the grid (a finger that tapped R on the page's bar), R pins the last
    // node the read-out showed.
    sf::Mouse::setPosition({30, 40}, *app->window);
    app->frameStep();
    sf::Mouse::setPosition({-5, 20}, *app->window);
    app->frameStep();
    EXPECT_EQ(stringOf(app->probe.text), "Probe: outside the grid");
    pressKey(*app, sf::Keyboard::R);
    EXPECT_EQ(*app->probe.reference, (NodeIndex{30, 40}));
    pressKey(*app, sf::Keyboard::M);
    EXPECT_FALSE(app->probe.reference);
    EXPECT_FALSE(app->probe.text.visible);
}

}  // namespace
