#include "field/Scenarios.hpp"

#include <algorithm>
#include <cstdint>

#include "field/FieldModel.hpp"

namespace {

// Writes one node; rows below the grid are skipped, so the plates of a
// capacitor on a grid of few rows are cut off instead of written past the array.
void writeCharge(FieldModel& m, std::uint32_t i, std::uint32_t j, double v) {
    if (i < m.grid.nx && j < m.grid.ny) m.charge.density.data[m.grid.index(i, j)] = v;
}

void periodicPlates(FieldModel& m, double top, double bottom) {
    m.makeLeftRightPeriodic();
    m.setBoundary(Top, top, false);
    m.setBoundary(Bottom, bottom, false);
    m.charge.density.clear();
}

// Two plates across the whole width, five rows thick.
void infiniteCapacitor(FieldModel& m) {
    periodicPlates(m, 0.0031, -0.0031);
    const std::uint32_t ny = m.grid.ny;
    for (std::uint32_t i = 0; i < m.grid.nx; ++i) {
        for (std::uint32_t k = 0; k < 5; ++k) {
            writeCharge(m, i, ny / 2 - ny / 4 + k, 1.0);
            writeCharge(m, i, ny / 2 + ny / 4 + k, -1.0);
        }
    }
    m.charge.density.repaint();
}

// Two short plates close together around the middle, three rows thick.
void finiteCapacitor(FieldModel& m) {
    periodicPlates(m, 0.0003, -0.0003);
    const std::uint32_t nx = m.grid.nx;
    const std::uint32_t ny = m.grid.ny;
    for (std::uint32_t i = nx / 2 - nx / 5; i < nx / 2 + nx / 5; ++i) {
        for (std::uint32_t k = 0; k < 3; ++k) {
            writeCharge(m, i, ny / 2 - ny / 12 + k, 1.0);
            writeCharge(m, i, ny / 2 + ny / 12 + k, -1.0);
        }
    }
    m.charge.density.repaint();
}

// Centre and spacing of the point-like scenarios, narrowed to 16 bits as the
// stamp takes them.
struct Layout {
    std::int16_t cx;
    std::int16_t cy;
    std::int16_t t;
    std::uint16_t r;
};

Layout pointLayout(const FieldModel& m) {
    const auto t = static_cast<std::int16_t>(std::min(m.grid.nx, m.grid.ny) / 8);
    return {static_cast<std::int16_t>(m.grid.nx / 2), static_cast<std::int16_t>(m.grid.ny / 2), t,
            static_cast<std::uint16_t>(3 * t / 5)};
}

void softStamp(FieldModel& m, int cx, int cy, int r, double density, bool clampToZero = false) {
    m.charge.stampDisc(static_cast<std::int16_t>(cx), static_cast<std::int16_t>(cy),
                       static_cast<std::uint16_t>(r), clampToZero, false, density, true);
}

void monopole(FieldModel& m) {
    m.charge.density.clear();
    const Layout l = pointLayout(m);
    softStamp(m, l.cx, l.cy, l.r, 10.0);
    m.charge.density.repaint();
}

void dipole(FieldModel& m) {
    m.charge.density.clear();
    const Layout l = pointLayout(m);
    softStamp(m, l.cx, l.cy - l.t, l.r, 10.0);
    softStamp(m, l.cx, l.cy + l.t, l.r, -10.0);
    m.charge.density.repaint();
}

void quadrupole(FieldModel& m) {
    m.charge.density.clear();
    const Layout l = pointLayout(m);
    softStamp(m, l.cx, l.cy - l.t, l.r, 10.0);
    softStamp(m, l.cx, l.cy + l.t, l.r, 10.0);
    softStamp(m, l.cx - l.t, l.cy, l.r, -10.0);
    softStamp(m, l.cx + l.t, l.cy, l.r, -10.0);
    m.charge.density.repaint();
}

// A 6 x 6 checkerboard of alternating charges, the top-left one positive; the
// disc radius is a fixed number of nodes on every grid.
void ionicCrystal(FieldModel& m) {
    m.makeLeftRightPeriodic();
    m.charge.density.clear();
    const auto x0 = static_cast<std::int16_t>(m.grid.nx / 12);
    const auto sx = static_cast<std::int16_t>(m.grid.nx / 6);
    const auto y0 = static_cast<std::int16_t>(m.grid.ny / 15);
    const auto sy = static_cast<std::int16_t>((m.grid.ny - 2 * static_cast<std::uint32_t>(y0)) / 5);
    for (int f = 0; f < 6; ++f) {
        for (int g = 0; g < 6; ++g) {
            softStamp(m, x0 + f * sx, y0 + g * sy, 10, (f + g) % 2 == 0 ? 15.0 : -15.0);
        }
    }
    m.charge.density.repaint();
}

// A full positive disc, then an eraser stamp that lowers the inner disc
// towards zero: a positive ring remains.
void chargedShell(FieldModel& m) {
    m.charge.density.clear();
    const Layout l = pointLayout(m);
    const auto radius = static_cast<std::int16_t>(std::min(m.grid.nx, m.grid.ny) / 4);
    softStamp(m, l.cx, l.cy, radius, 20.0);
    softStamp(m, l.cx, l.cy, 3 * radius / 4, -25.0, true);
    m.charge.density.repaint();
}

constexpr ScenarioValues plates(double top, double bottom) {
    return {true, false, top, bottom};
}
constexpr ScenarioValues grounded{false, true, 0.0, 0.0};

}  // namespace

const std::array<Scenario, scenarioCount>& scenarios() {
    static const auto table = std::to_array<Scenario>({
        {"Infinite capacitor", infiniteCapacitor, plates(0.0031, -0.0031)},
        {"Finite capacitor", finiteCapacitor, plates(0.0003, -0.0003)},
        {"Monopole field", monopole, grounded},
        {"Dipole field", dipole, grounded},
        {"Quadrupole field", quadrupole, grounded},
        {"Model of ionic crystal", ionicCrystal, {true, true, 0.0, 0.0}},
        {"Charged shell", chargedShell, grounded},
    });
    static_assert(std::tuple_size_v<decltype(table)> == scenarioCount);
    return table;
}

void resetSides(FieldModel& model) {
    for (const int side : {Top, Bottom, Left, Right})
        model.setBoundary(side, 0.0, false);
}
