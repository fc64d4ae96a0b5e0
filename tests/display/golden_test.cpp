// The same bits on every platform and on every instruction set: after loading each scenario
// and relaxing a fixed number of sweeps, the potential, the potential's image and the arrows,
// as 64-bit hashes computed once by the reference kernels on amd64. The release, sanitized,
// Windows, arm64 and web builds all check this one table, each on every level it runs, so a
// platform whose arithmetic or library gives other bits fails here. A change that alters the
// table says why in its commit message.

#include <gtest/gtest.h>

#include <SFML/Window/Context.hpp>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../support/ProgramModel.hpp"
#include "field/Paint.hpp"
#include "field/Reference.hpp"
#include "field/Scenarios.hpp"
#include "field/fast/FrameKernels.hpp"
#include "metal/MetalBrush.hpp"

namespace {

constexpr std::uint32_t goldenSweeps = 100;

struct Hashes {
    std::uint64_t potential;
    std::uint64_t image;
    std::uint64_t arrows;
    bool operator==(const Hashes&) const = default;
};

// 433 is a side whose cos(pi/433) the C libraries round differently; 433 x 400 also takes
// the general update form, whose steps differ in the last bit.
// With metal, the scenario is loaded and then a grounded ring, a plate at +0.05 and a disc
// at -0.02 are painted into it.
struct Golden {
    std::uint32_t nx;
    std::uint32_t ny;
    std::size_t scenario;
    Hashes hashes;
    bool metal = false;
};

// clang-format off
const Golden goldenTable[] = {
    {400, 400, 0, {0x1c77f7c54bf4b99c, 0xbafee16a488aa1c1, 0x1ef4f5d4b68c859c}},
    {400, 400, 1, {0x8602f4a069290ba8, 0x5b44f7f59a4ff357, 0x872e72490a05d5a5}},
    {400, 400, 2, {0x498edd5c1d270912, 0x4fe682ab4ab36e3f, 0x4630833e98f3f379}},
    {400, 400, 3, {0x4e37f1b5730de221, 0x71a5d852dced28f9, 0xd1e2193daad077f7}},
    {400, 400, 4, {0x6701cfa3e59fdf44, 0x84f7b4d7ee06dfd4, 0xfe276c2845c70711}},
    {400, 400, 5, {0xcc010f7258695c6d, 0x463f0c658415da87, 0xe94f83962799e4c0}},
    {400, 400, 6, {0x49d72d1ee9577ec1, 0x4dcb50baf7d10120, 0x451142b5f6eb5791}},
    {433, 400, 0, {0xb88f30a5ddee4159, 0x6be9d089432670fe, 0x0eb1bcd5856d2290}},
    {433, 400, 1, {0xfbe67527fab27360, 0xa8907e5adc2340b5, 0x6bbb52685f6904ef}},
    {433, 400, 2, {0xac6d62af9022a2d7, 0x69532308dbb5944a, 0x203fd71ab6d84106}},
    {433, 400, 3, {0x6c43b1edbb4be098, 0x7a1caf1b4d329aa8, 0xdae8940096acd959}},
    {433, 400, 4, {0x6a5eeffeff9c5ddb, 0xa4fed32787a1f323, 0x18136c4fad05d104}},
    {433, 400, 5, {0x5ebff9f3f3f4dfc1, 0x245ef2a32f67dca6, 0xcbfd51b1323c3415}},
    {433, 400, 6, {0x92641aea902908c5, 0x4ef381b62c114aa1, 0x8d35913cd7ddb271}},
    {400, 400, 2, {0x13ddcdb8738878ad, 0x77980af24957462d, 0xe4d8b476da9d5a8a}, true},
    {433, 400, 3, {0x2bfc593629ac38b0, 0x780daa7e7da3e643, 0x102c0ee9831c0854}, true},
};
// clang-format on

// FNV-1a over bytes, the values' bits taken least significant byte first, so that the hash
// does not depend on the byte order of the machine.
class Fnv {
  public:
    void add(std::uint64_t value, int bytes) {
        for (int k = 0; k < bytes; ++k, value >>= 8) {
            hash_ = (hash_ ^ (value & 0xff)) * 0x100000001b3;
        }
    }
    template <class T>
    void addBits(T value) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof value);
        add(bits, sizeof value);
    }
    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = 0xcbf29ce484222325;
};

std::uint64_t hashOf(const std::vector<double>& values) {
    Fnv h;
    for (const double v : values)
        h.addBits(v);
    return h.value();
}

std::uint64_t hashOf(const std::uint8_t* rgba, std::size_t bytes) {
    Fnv h;
    for (std::size_t k = 0; k < bytes; ++k)
        h.add(rgba[k], 1);
    return h.value();
}

std::uint64_t hashOf(const sf::VertexArray& vertices) {
    Fnv h;
    for (std::size_t k = 0; k < vertices.getVertexCount(); ++k) {
        h.addBits(vertices[k].position.x);
        h.addBits(vertices[k].position.y);
        const sf::Color c = vertices[k].color;
        for (const std::uint8_t channel : {c.a, c.b, c.g, c.r})
            h.add(channel, 1);
    }
    return h.value();
}

SweepInput sweepInput(FieldModel& m) {
    return {m.potential.data.data(),
            m.charge.density.data.data(),
            m.grid.nx,
            m.grid.ny,
            m.grid.hx,
            m.grid.hy,
            {m.cosSum, m.omega, m.stencilFactor, m.chargeDivisor},
            m.metal.mask()};
}

void paintMetal(FieldModel& m) {
    const auto c = static_cast<std::int16_t>(m.grid.ny / 2);
    for (std::int16_t i = 0; i < static_cast<std::int16_t>(m.grid.nx); ++i) {
        for (std::int16_t j = 0; j < static_cast<std::int16_t>(m.grid.ny); ++j) {
            const double r = std::hypot(i - c, j - c);
            if (r >= 150.0 && r < 153.0) paintMetalDisc(m, {i, j, 0, false, 0.0});
        }
    }
    for (std::int16_t i = 60; i < 140; ++i)
        paintMetalDisc(m, {i, 80, 1, false, 0.05});
    paintMetalDisc(m, {300, 250, 12, false, -0.02});
}

std::unique_ptr<FieldModel> loaded(const Golden& row) {
    auto model = programModel(row.nx, row.ny);
    scenarios()[row.scenario].build(*model);
    if (row.metal) paintMetal(*model);
    return model;
}

// The straightforward kernels, one node after another.
Hashes referenceHashes(const Golden& row) {
    const auto model = loaded(row);
    relaxReference(sweepInput(*model), model->boundaries, goldenSweeps);
    ScalarField& phi = model->potential;
    phi.findRangeReference(true);
    phi.repaintReference();
    model->field.computeFieldReference(phi, -1);
    model->field.rebuildArrowsReference();
    return {hashOf(phi.data), hashOf(phi.image.getPixelsPtr(), 4 * phi.data.size()),
            hashOf(model->field.arrows.vertices)};
}

// The fast kernels of one instruction set, as the frame step runs them.
Hashes levelHashes(const Golden& row, SimdLevel level) {
    const auto model = loaded(row);
    relaxFast(sweepInput(*model), model->boundaries, goldenSweeps, model->relaxWorkspace, level);
    const FrameKernels& kernels = frameKernels(level);
    const std::vector<double>& phi = model->potential.data;
    const ValueRange shown = displayRange(kernels.valueRange(phi.data(), phi.size()), true);
    std::vector<std::uint8_t> rgba(4 * phi.size());
    paint({phi.data(), row.nx, row.ny, shown.min, shown.max, rgba.data()}, blueRedMap, level);
    const Grid2D& g = model->grid;
    kernels.gradient({phi.data(), model->field.data.data(), g.nx, g.ny, g.hx, g.hy, -1.0});
    model->field.rebuildArrowsReference();
    return {hashOf(phi), hashOf(rgba.data(), rgba.size()), hashOf(model->field.arrows.vertices)};
}

// A table row as it would be written, for a change that means to alter the table.
std::string rowText(const Golden& row, const Hashes& h) {
    char text[160];
    std::snprintf(text, sizeof text, "{%u, %u, %zu, {0x%016llx, 0x%016llx, 0x%016llx}%s},", row.nx,
                  row.ny, row.scenario, static_cast<unsigned long long>(h.potential),
                  static_cast<unsigned long long>(h.image),
                  static_cast<unsigned long long>(h.arrows), row.metal ? ", true" : "");
    return text;
}

TEST(Golden, EveryScenarioGivesTheTableBitsOnEveryLevel) {
    // Without a context alive, each model's textures set up and tear down the shared one, and
    // after a few models SFML can no longer open the display.
    const sf::Context keepDisplayOpen;
    std::string wanted;
    for (const Golden& row : goldenTable) {
        const Hashes reference = referenceHashes(row);
        wanted += "    " + rowText(row, reference) + "\n";
        EXPECT_EQ(reference, row.hashes) << "reference: " << rowText(row, reference);
        for (const SimdLevel level : supportedSimdLevels()) {
            const Hashes fast = levelHashes(row, level);
            EXPECT_EQ(fast, row.hashes) << simdLevelName(level) << ": " << rowText(row, fast);
        }
    }
    if (HasFailure()) std::printf("The reference's table:\n%s", wanted.c_str());
}

}  // namespace
