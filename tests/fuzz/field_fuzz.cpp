// The charge stamp and the scenarios on random small grids (1 .. 64 nodes per axis), mixed with
// boundary edits, metal painted and erased, and whole frames of the model. Whatever the centre,
// radius, flags and density, the charge stays within [-1, +1], a stamp changes exactly the grid
// nodes of its disc and recolours exactly their pixels, every arrow vertex is a finite point, and
// nothing is read or written outside the arrays: the model's arrays are heap blocks of exactly
// their size, watched by AddressSanitizer, and the pixel writes (inside the uninstrumented image
// library) are checked by the node indices the stamp hands out. Needs an X display for the
// textures.
//
// Densities: the program passes +1 and -1 from the brush and +-10, 15, 20, 25 from the
// scenarios; the stamp is fed those and any other double, infinities included. NaN is the one
// value left out: it is not a charge density, nothing in the program can produce one, and the
// stamp's clamping lets it through by its comparisons' rules.

#include <fuzzer/FuzzedDataProvider.h>
#include <SFML/Window/Context.hpp>

#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "../support/ProgramModel.hpp"
#include "FuzzCheck.hpp"
#include "field/ColourMap.hpp"
#include "field/FieldModel.hpp"
#include "field/MetalPotential.hpp"
#include "field/Scenarios.hpp"
#include "field/Stamp.hpp"
#include "measure/Equipotentials.hpp"
#include "measure/NodeReading.hpp"
#include "measure/SectionSamples.hpp"
#include "metal/InducedCharge.hpp"
#include "metal/MetalBrush.hpp"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

double density(FuzzedDataProvider& in) {
    static constexpr std::array<double, 8> program{1.0,  -1.0,  10.0, -10.0,
                                                   15.0, -15.0, 20.0, -25.0};
    if (in.ConsumeBool()) return in.PickValueInArray(program);
    const double d = std::bit_cast<double>(in.ConsumeIntegral<std::uint64_t>());
    return std::isnan(d) ? std::copysign(inf, d) : d;
}

// Any float, NaN and infinities included, as anyDouble for doubles: boundary values and arrow
// lengths can be edited to all of them.
float anyFloat(FuzzedDataProvider& in) {
    return std::bit_cast<float>(in.ConsumeIntegral<std::uint32_t>());
}

bool inDisc(std::int64_t i, std::int64_t j, const StampArgs& a) {
    const std::int64_t di = i - a.cx;
    const std::int64_t dj = j - a.cy;
    return di * di + dj * dj <= std::int64_t{a.radius} * a.radius;
}

void checkChargeRange(const FieldModel& m) {
    for (const double v : m.charge.density.data)
        FUZZ_CHECK(v >= -1.0 && v <= 1.0);
}

void checkPixelsShowValues(const ScalarField& f) {
    for (std::uint32_t i = 0; i < f.grid->nx; ++i) {
        for (std::uint32_t j = 0; j < f.grid->ny; ++j) {
            const double v = f.data[f.grid->index(i, j)];
            FUZZ_CHECK(f.image.getPixel(i, j) == colourOf(v, f.low, f.high, f.colourMap));
        }
    }
}

// What a stamp may do to one node of its disc, given the value before.
void checkStamped(double before, double after, const StampArgs& a) {
    FUZZ_CHECK(after >= -1.0 && after <= 1.0);
    if (a.clampToZero) {
        // The eraser moves a value toward zero and never past it.
        if (a.density > 0.0) {
            FUZZ_CHECK(after <= 0.0 && after >= std::min(before, 0.0));
        } else {
            FUZZ_CHECK(after >= 0.0 && after <= std::max(before, 0.0));
        }
    } else if (a.hard) {
        FUZZ_CHECK(after == (a.density > 0.0 ? 1.0 : -1.0));
    } else if (a.density > 0.0) {
        FUZZ_CHECK(after >= before);
    } else if (a.density < 0.0) {
        FUZZ_CHECK(after <= before);
    } else {
        FUZZ_CHECK(after == before);
    }
}

void stamp(FieldModel& m, FuzzedDataProvider& in) {
    StampArgs a{};
    a.cx = in.ConsumeIntegral<std::int16_t>();
    a.cy = in.ConsumeIntegral<std::int16_t>();
    // Mostly radii that reach into a small grid, sometimes anything.
    a.radius = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::uint16_t>(0, 80)
                                : in.ConsumeIntegral<std::uint16_t>();
    a.clampToZero = in.ConsumeBool();
    a.hard = in.ConsumeBool();
    a.density = density(in);
    const bool updateTexture = in.ConsumeBool();

    ScalarField& charge = m.charge.density;
    const std::uint32_t nx = m.grid.nx;
    const std::uint32_t ny = m.grid.ny;
    const std::vector<double> before = charge.data;
    const sf::Image imageBefore = charge.image;

    // The arithmetic alone, on a copy: every node it reports lies in the grid and in the disc,
    // and no node is reported twice.
    std::vector<double> copy = before;
    std::vector<bool> seen(before.size(), false);
    stampDiscValues(
        copy.data(), nx, ny, a, m.charge.stamp, [&](std::int32_t i, std::int32_t j, double v) {
            FUZZ_CHECK(i >= 0 && static_cast<std::uint32_t>(i) < nx);
            FUZZ_CHECK(j >= 0 && static_cast<std::uint32_t>(j) < ny);
            FUZZ_CHECK(inDisc(i, j, a));
            const std::size_t k =
                m.grid.index(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j));
            FUZZ_CHECK(!seen[k]);
            seen[k] = true;
            FUZZ_CHECK(copy[k] == v);
        });

    m.charge.stampDisc(a.cx, a.cy, a.radius, a.clampToZero, a.hard, a.density, updateTexture);

    for (std::uint32_t i = 0; i < nx; ++i) {
        for (std::uint32_t j = 0; j < ny; ++j) {
            const std::size_t k = m.grid.index(i, j);
            const double v = charge.data[k];
            FUZZ_CHECK(seen[k] == inDisc(i, j, a));
            FUZZ_CHECK(v == copy[k]);
            if (seen[k]) {
                checkStamped(before[k], v, a);
                FUZZ_CHECK(charge.image.getPixel(i, j) ==
                           colourOf(v, charge.low, charge.high, charge.colourMap));
            } else {
                FUZZ_CHECK(v == before[k]);
                FUZZ_CHECK(charge.image.getPixel(i, j) == imageBefore.getPixel(i, j));
            }
        }
    }
}

// As the program loads a scenario: the grounded ones fix all four sides at zero first.
void loadScenario(FieldModel& m, FuzzedDataProvider& in) {
    const Scenario& s = scenarios()[in.ConsumeIntegralInRange<std::size_t>(0, 6)];
    if (s.values.zeroesAllSides) resetSides(m);
    s.build(m);
    checkPixelsShowValues(m.charge.density);
    if (s.values.verticalPeriodic) {
        FUZZ_CHECK(m.boundaries[Left].kind == Periodic && m.boundaries[Right].kind == Periodic);
    }
    if (!s.values.zeroesAllSides) {
        FUZZ_CHECK(m.boundaries[Top].kind == Fixed && m.boundaries[Top].value == s.values.top);
        FUZZ_CHECK(m.boundaries[Bottom].kind == Fixed &&
                   m.boundaries[Bottom].value == s.values.bottom);
    }
}

void editBoundary(FieldModel& m, FuzzedDataProvider& in) {
    if (in.ConsumeBool()) {
        m.makeLeftRightPeriodic();
    } else {
        m.setBoundary(in.ConsumeIntegralInRange<int>(-1, 4), anyDouble(in), in.ConsumeBool());
    }
}

// One frame of the model as the program runs it, with arrow settings from the input.
void frame(FieldModel& m, FuzzedDataProvider& in) {
    FieldArrows& arrows = m.field.arrows;
    arrows.blockSize = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::uint32_t>(0, 70)
                                        : in.ConsumeIntegral<std::uint32_t>();
    arrows.normalized = in.ConsumeBool();
    arrows.equalLength = in.ConsumeBool();
    arrows.lengthMultiplier = anyFloat(in);
    arrows.normalizedLength = anyFloat(in);
    m.field.resizeArrows();
    const std::vector<double> before = m.potential.data;
    m.relax(in.ConsumeIntegralInRange<std::uint32_t>(0, 3));
    // Metal keeps its potential to the bit.
    for (std::size_t k = 0; k < before.size(); ++k) {
        if (m.metal.isMetal(k)) {
            FUZZ_CHECK(std::bit_cast<std::uint64_t>(m.potential.data[k]) ==
                       std::bit_cast<std::uint64_t>(before[k]));
        }
    }
    showInducedCharge(m);
    m.potential.findRange(true);
    m.potential.repaint();
    checkPixelsShowValues(m.potential);
    m.field.computeField(m.potential, -1);
    m.field.rebuildArrows();
    for (std::size_t k = 0; k < arrows.vertices.getVertexCount(); ++k) {
        const sf::Vector2f p = arrows.vertices[k].position;
        FUZZ_CHECK(std::isfinite(p.x) && std::isfinite(p.y));
    }
}

// The measuring tools on whatever the model holds, huge, infinite and NaN potentials included:
// the probe reads the model's own numbers at any pointer position, inside the grid or not, and
// the cross-section samples every node of its line, the equipotentials stay inside the grid.
void measure(FieldModel& m, FuzzedDataProvider& in) {
    const sf::Vector2i pixel{in.ConsumeIntegralInRange<int>(-3, 70),
                             in.ConsumeIntegralInRange<int>(-3, 70)};
    const auto node = nodeUnder(pixel, 1, m.grid.nx, m.grid.ny);
    FUZZ_CHECK(node.has_value() ==
               (pixel.x >= 0 && pixel.y >= 0 && pixel.x < static_cast<int>(m.grid.nx) &&
                pixel.y < static_cast<int>(m.grid.ny)));
    std::optional<NodeReading> at;
    if (node) {
        at = readNode(m, *node);
        FUZZ_CHECK(std::bit_cast<std::uint64_t>(at->phi) ==
                   std::bit_cast<std::uint64_t>(m.potential.data[m.grid.index(node->i, node->j)]));
    }
    FUZZ_CHECK(!probeReadout(at, at, m.grid.ny).empty());
    SectionSamples samples;
    const bool row = in.ConsumeBool();
    sampleSection(m, row ? SectionLine::Row : SectionLine::Column, node.value_or(NodeIndex{0, 0}),
                  samples);
    FUZZ_CHECK(samples.phi.size() == (row ? m.grid.nx : m.grid.ny));
    FUZZ_CHECK(samples.phiLow <= 0.0 && samples.phiHigh >= 0.0 && samples.fieldHigh >= 0.0);
    // The equipotential lines lie between the node centres, on the fast path as on the
    // reference's.
    m.potential.findRange(true);
    Equipotentials lines;
    lines.update(m.potential);
    const float right = static_cast<float>(m.grid.nx) - 0.5f;
    const float bottom = static_cast<float>(m.grid.ny) - 0.5f;
    for (std::size_t k = 0; k < lines.lines.getVertexCount(); ++k) {
        const sf::Vector2f p = lines.lines[k].position;
        FUZZ_CHECK(p.x >= 0.5f && p.x <= right && p.y >= 0.5f && p.y <= bottom);
    }
}

// A disc of metal painted or erased as the metal brush does it, at a potential of its series
// or any other: only interior nodes become metal, the count follows, painted nodes hold the
// potential and erased ones show their free charge again.
void paintMetal(FieldModel& m, FuzzedDataProvider& in) {
    const MetalDisc disc{
        in.ConsumeIntegralInRange<std::int16_t>(-79, 79),
        in.ConsumeIntegralInRange<std::int16_t>(-79, 79),
        in.ConsumeIntegralInRange<std::uint16_t>(0, 80), in.ConsumeBool(),
        in.ConsumeBool() ? metalPotential(in.ConsumeIntegral<std::int8_t>()) : anyDouble(in)};
    paintMetalDisc(m, disc);
    std::size_t count = 0;
    for (std::uint32_t i = 0; i < m.grid.nx; ++i) {
        for (std::uint32_t j = 0; j < m.grid.ny; ++j) {
            const std::size_t k = m.grid.index(i, j);
            const bool edge = i == 0 || j == 0 || i + 1 == m.grid.nx || j + 1 == m.grid.ny;
            FUZZ_CHECK(!(edge && m.metal.isMetal(k)));
            count += m.metal.isMetal(k) ? 1 : 0;
            const StampArgs a{disc.cx, disc.cy, disc.radius, false, true, 0.0};
            if (edge || !inDisc(static_cast<std::int32_t>(i), static_cast<std::int32_t>(j), a))
                continue;
            FUZZ_CHECK(m.metal.isMetal(k) == !disc.erase);
            if (!disc.erase) {
                FUZZ_CHECK(std::bit_cast<std::uint64_t>(m.potential.data[k]) ==
                           std::bit_cast<std::uint64_t>(disc.potential));
            } else {
                const ScalarField& q = m.charge.density;
                FUZZ_CHECK(q.image.getPixel(i, j) ==
                           colourOf(q.data[k], q.low, q.high, q.colourMap));
            }
        }
    }
    FUZZ_CHECK(count == m.metal.count);
}

}  // namespace

// The textures of every model share one GL context. Held for the whole run, as the program's
// window holds it, so that the graphics driver is not unloaded and loaded again for each input.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    static sf::Context context;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::uint32_t nx = in.ConsumeIntegralInRange<std::uint32_t>(1, 64);
    const std::uint32_t ny = in.ConsumeIntegralInRange<std::uint32_t>(1, 64);
    const std::unique_ptr<FieldModel> wired = programModel(nx, ny);
    FieldModel& model = *wired;

    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange<int>(0, 6)) {
            case 0:
            case 1:
                stamp(model, in);
                break;
            case 2:
                loadScenario(model, in);
                break;
            case 3:
                editBoundary(model, in);
                break;
            case 4:
                frame(model, in);
                break;
            case 5:
                measure(model, in);
                break;
            default:
                paintMetal(model, in);
                break;
        }
        checkChargeRange(model);
    }
    return 0;
}
