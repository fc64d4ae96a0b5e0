#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include <SFML/Window/Context.hpp>

#include "../support/ProgramModel.hpp"
#include "../support/SameBits.hpp"
#include "field/FieldModel.hpp"

namespace {

std::vector<std::uint8_t> pixels(const ScalarField& f) {
    const std::uint8_t* p = f.image.getPixelsPtr();
    return {p, p + 4 * std::size_t{f.grid->nx} * f.grid->ny};
}

// Every vertex of the arrows, positions as bits and colours as bytes.
std::vector<std::uint32_t> vertexBits(const VectorField& f) {
    std::vector<std::uint32_t> bits;
    for (std::size_t k = 0; k < f.arrows.vertices.getVertexCount(); ++k) {
        const sf::Vertex& v = f.arrows.vertices[k];
        bits.push_back(std::bit_cast<std::uint32_t>(v.position.x));
        bits.push_back(std::bit_cast<std::uint32_t>(v.position.y));
        bits.push_back(v.color.toInteger());
    }
    return bits;
}

void expectSameArrows(const FieldModel& fast, const FieldModel& ref, std::uint32_t nx,
                      std::uint32_t ny) {
    EXPECT_EQ(std::memcmp(fast.field.data.data(), ref.field.data.data(),
                          fast.field.data.size() * sizeof(double)),
              0);
    EXPECT_TRUE(sameBits(fast.field.maxMagnitude, ref.field.maxMagnitude));
    EXPECT_EQ(fast.field.arrows.lengthMultiplier, ref.field.arrows.lengthMultiplier);
    EXPECT_EQ(vertexBits(fast.field), vertexBits(ref.field)) << nx << "x" << ny;
}

// The frame's work besides the sweeps, fast on one model and straightforward
// on another holding the same potential: range, image, field and arrows must
// agree bit for bit.
void expectSameFrame(std::uint32_t nx, std::uint32_t ny, const std::vector<double>& phi,
                     bool normalized, bool equalLength) {
    auto fast = programModel(nx, ny);
    auto ref = programModel(nx, ny);
    for (FieldModel* m : {fast.get(), ref.get()}) {
        m->potential.data = phi;
        m->field.arrows.normalized = normalized;
        m->field.arrows.equalLength = equalLength;
    }
    fast->potential.findRange(true);
    ref->potential.findRangeReference(true);
    EXPECT_TRUE(sameBits(fast->potential.low, ref->potential.low));
    EXPECT_TRUE(sameBits(fast->potential.high, ref->potential.high));
    EXPECT_TRUE(sameBits(fast->potential.dataMin, ref->potential.dataMin));
    EXPECT_TRUE(sameBits(fast->potential.dataMax, ref->potential.dataMax));
    fast->potential.repaint();
    ref->potential.repaintReference();
    EXPECT_EQ(pixels(fast->potential), pixels(ref->potential)) << nx << "x" << ny;
    fast->field.computeField(fast->potential, -1);
    ref->field.computeFieldReference(ref->potential, -1);
    EXPECT_EQ(std::memcmp(fast->field.data.data(), ref->field.data.data(),
                          fast->field.data.size() * sizeof(double)),
              0);
    fast->field.rebuildArrows();
    ref->field.rebuildArrowsReference();
    expectSameArrows(*fast, *ref, nx, ny);
    // The frame step's single pass for both, from a field left stale.
    std::fill(fast->field.data.begin(), fast->field.data.end(), 5.0);
    if (normalized) fast->field.maxMagnitude = -1.0;
    fast->field.refresh(fast->potential, -1);
    expectSameArrows(*fast, *ref, nx, ny);
}

TEST(FastFrame, NoisySmoothAndZeroPotentials) {
    // Without a context alive, each model's textures set up and tear down the
    // shared one, and after a few models SFML can no longer open the display.
    const sf::Context keepDisplayOpen;
    std::mt19937 gen(8);
    std::uniform_real_distribution<double> u(-2.0, 1.0);
    const struct {
        std::uint32_t nx, ny;
    } sizes[] = {{1, 1}, {7, 13}, {33, 17}, {400, 400}, {601, 299}};
    for (const auto s : sizes) {
        const std::size_t n = std::size_t{s.nx} * s.ny;
        std::vector<double> noisy(n);
        std::vector<double> smooth(n);
        for (std::size_t k = 0; k < n; ++k) {
            noisy[k] = u(gen);
            smooth[k] = std::sin(0.003 * double(k)) * 1e-3;
        }
        for (const bool normalized : {true, false}) {
            expectSameFrame(s.nx, s.ny, noisy, normalized, false);
            expectSameFrame(s.nx, s.ny, smooth, normalized, !normalized);
        }
        expectSameFrame(s.nx, s.ny, std::vector<double>(n, 0.0), true, false);
    }
}

}  // namespace
