#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "../support/ProgramModel.hpp"
#include "field/FieldModel.hpp"

namespace {

// A model of 20 by 15 nodes with the colour maps and the charge range the
// program gives it.
struct Layers : testing::Test {
    static constexpr std::uint32_t nx = 20;
    static constexpr std::uint32_t ny = 15;
    const std::unique_ptr<FieldModel> wired = programModel(nx, ny);
    FieldModel& model = *wired;

    double& potential(std::uint32_t i, std::uint32_t j) {
        return model.potential.data[model.grid.index(i, j)];
    }
    double& charge(std::uint32_t i, std::uint32_t j) {
        return model.charge.density.data[model.grid.index(i, j)];
    }
};

}  // namespace

TEST_F(Layers, PotentialIsShownOverItsSymmetricRange) {
    // All zero: the range is 0 .. 0 and every pixel black.
    model.potential.image.create(nx, ny, sf::Color::Green);
    model.potential.findRange(true);
    model.potential.repaint();
    for (std::uint32_t i = 0; i < nx; ++i) {
        for (std::uint32_t j = 0; j < ny; ++j) {
            ASSERT_EQ(model.potential.image.getPixel(i, j), sf::Color::Black) << i << "," << j;
        }
    }

    potential(0, 0) = -2.0;
    potential(19, 14) = 1.0;
    potential(3, 2) = 0.5;
    model.potential.findRange(true);
    model.potential.repaint();
    EXPECT_EQ(model.potential.image.getPixel(0, 0), sf::Color(0, 0, 255));
    EXPECT_EQ(model.potential.image.getPixel(1, 0), sf::Color(0, 0, 0));
    EXPECT_EQ(model.potential.image.getPixel(19, 14), sf::Color(127, 0, 0));
    // 0.5 maps to 0.625: red (0.125 * 510) truncated.
    EXPECT_EQ(model.potential.image.getPixel(3, 2), sf::Color(63, 0, 0));
    const sf::Image uploaded = model.potential.texture.copyToImage();
    EXPECT_EQ(uploaded.getPixel(0, 0), sf::Color(0, 0, 255));
    EXPECT_EQ(uploaded.getPixel(19, 14), sf::Color(127, 0, 0));
}

TEST_F(Layers, ChargeColours) {
    charge(2, 3) = 1.0;
    charge(4, 5) = -1.0;
    model.charge.density.repaint();
    EXPECT_EQ(model.charge.density.image.getPixel(2, 3), sf::Color(255, 0, 0));
    EXPECT_EQ(model.charge.density.image.getPixel(4, 5), sf::Color(0, 0, 255));
    EXPECT_EQ(model.charge.density.image.getPixel(3, 4), sf::Color(0, 0, 0));
}

TEST_F(Layers, StampRecoloursOnlyTheTouchedPixels) {
    const sf::Color marker(0, 200, 0);
    ScalarField& density = model.charge.density;
    density.image.create(nx, ny, marker);
    model.charge.stampDisc(5, 4, 3, false, false, 1.0, false);
    for (std::uint32_t i = 0; i < nx; ++i) {
        for (std::uint32_t j = 0; j < ny; ++j) {
            const int di = static_cast<int>(i) - 5;
            const int dj = static_cast<int>(j) - 4;
            const sf::Color expected =
                di * di + dj * dj <= 9 ? colourOf(charge(i, j), -1.0, 1.0, blueRedMap) : marker;
            EXPECT_EQ(density.image.getPixel(i, j), expected) << i << "," << j;
        }
    }
    EXPECT_EQ(density.image.getPixel(5, 4), sf::Color(12, 0, 0));  // 0.05 of full red

    // Without updateTexture the texture still shows the construction colour.
    EXPECT_EQ(density.texture.copyToImage().getPixel(5, 4), sf::Color::Black);
    model.charge.stampDisc(5, 4, 3, false, false, 1.0, true);
    const sf::Image uploaded = density.texture.copyToImage();
    for (std::uint32_t i = 0; i < nx; ++i) {
        for (std::uint32_t j = 0; j < ny; ++j) {
            ASSERT_EQ(uploaded.getPixel(i, j), density.image.getPixel(i, j)) << i << "," << j;
        }
    }
}
