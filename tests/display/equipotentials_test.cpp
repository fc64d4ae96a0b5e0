// The equipotentials of relaxed scenarios against the physics. A model carries textures, hence
// these run with an X display.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "../support/ProgramModel.hpp"
#include "field/FieldArrows.hpp"
#include "field/Scenarios.hpp"
#include "measure/Equipotentials.hpp"

namespace {

// A scenario on the program's domain, relaxed until its potential no longer moves at the
// scale of the lines, and its lines as the frame step finds them.
struct Relaxed {
    std::unique_ptr<FieldModel> model;
    Equipotentials lines;

    Relaxed(std::size_t scenario, std::uint32_t n) : model(programModel(n, n)) {
        scenarios()[scenario].build(*model);
        model->relax(4000);
        model->potential.findRange(true);
        lines.update(model->potential);
    }
};

// The one-dimensional discrete problem of plates across the whole width, solved directly by
// shooting from the top side: phi[j-1] - 2 phi[j] + phi[j+1] = -h^2 rho[j].
std::vector<double> platesSolution(const FieldModel& m) {
    const std::uint32_t ny = m.grid.ny;
    const double h2 = m.grid.hy * m.grid.hy;
    const auto shoot = [&](double second) {
        std::vector<double> phi{m.boundaries[Top].value, second};
        for (std::uint32_t j = 1; j + 1 < ny; ++j)
            phi.push_back(2 * phi[j] - phi[j - 1] - h2 * m.charge.density.data[j]);
        return phi;
    };
    const std::vector<double> a = shoot(0.0);
    const std::vector<double> b = shoot(1.0);
    const double t = (m.boundaries[Bottom].value - a.back()) / (b.back() - a.back());
    std::vector<double> phi(ny);
    for (std::uint32_t j = 0; j < ny; ++j)
        phi[j] = a[j] + t * (b[j] - a[j]);
    return phi;
}

TEST(Equipotentials, BetweenInfinitePlatesStraightAndWhereTheSolutionPutsThem) {
    const Relaxed c(0, 64);
    const std::vector<double> phi = platesSolution(*c.model);
    // The plates fill rows 16 .. 20 and 48 .. 52; between them the potential is linear, so
    // evenly spaced levels cross at evenly spaced heights, straight across all 63 cells.
    std::map<std::int32_t, std::vector<double>> heights;
    for (const ContourSegment& s : c.lines.segments) {
        if (s.y0 > 21.5 && s.y0 < 47.5)
            heights[s.level].insert(heights[s.level].end(), {s.y0, s.y1});
    }
    ASSERT_GE(heights.size(), 5u);
    for (const auto& [k, ys] : heights) {
        const double level = k * c.lines.step.value;
        std::uint32_t j = 21;
        while (!(phi[j + 1] <= level))
            ++j;
        const double expected = j + 0.5 + (level - phi[j]) / (phi[j + 1] - phi[j]);
        EXPECT_EQ(ys.size(), 2 * 63u) << "level " << k;
        for (const double y : ys)
            EXPECT_NEAR(y, expected, 1e-4) << "level " << k;
    }
}

TEST(Equipotentials, AboutAMonopoleCircles) {
    const Relaxed c(2, 96);
    // The charge is a disc about node (48, 48), drawn at (48.5, 48.5); the grounded square
    // sides bend the lines only further out than 17 nodes.
    std::map<std::int32_t, std::vector<double>> radii;
    for (const ContourSegment& s : c.lines.segments)
        radii[s.level].push_back(std::hypot(s.x0 - 48.5, s.y0 - 48.5));
    double outer = 1e9;
    int circles = 0;
    for (const auto& [k, rs] : radii) {
        const auto [least, most] = std::minmax_element(rs.begin(), rs.end());
        EXPECT_LT(*most, outer) << "level " << k << " lies outside a lower one";
        outer = *least;
        if (*most > 17.0) continue;
        EXPECT_LT((*most - *least) / *most, 0.015) << "level " << k;
        ++circles;
    }
    EXPECT_GE(circles, 6);
}

// The field between the nodes, bilinear, at a point in the lines' units.
std::array<double, 2> fieldAt(const FieldModel& m, double x, double y) {
    const double u = x - 0.5;
    const double v = y - 0.5;
    const auto i = static_cast<std::uint32_t>(u);
    const auto j = static_cast<std::uint32_t>(v);
    const double fu = u - i;
    const double fv = v - j;
    std::array<double, 2> e{};
    for (std::size_t c = 0; c < 2; ++c) {
        const auto at = [&](std::uint32_t a, std::uint32_t b) {
            return m.field.data[2 * m.grid.index(a, b) + c];
        };
        e[c] = (1 - fu) * ((1 - fv) * at(i, j) + fv * at(i, j + 1)) +
               fu * ((1 - fv) * at(i + 1, j) + fv * at(i + 1, j + 1));
    }
    return e;
}

TEST(Equipotentials, PerpendicularToTheFieldArrowsOfADipole) {
    const Relaxed c(3, 96);
    c.model->field.computeField(c.model->potential, -1);
    // An arrow starts at every seventh node from node 2 on each axis; the segments in the four
    // cells about its node cross it.
    const std::uint32_t first = arrowAxis(96, c.model->field.arrows.blockSize).offset;
    int crossings = 0;
    for (const ContourSegment& s : c.lines.segments) {
        const auto i = static_cast<std::uint32_t>(std::min(s.x0, s.x1) - 0.5f);
        const auto j = static_cast<std::uint32_t>(std::min(s.y0, s.y1) - 0.5f);
        const std::uint32_t a = (i + 8 - first) / 7 * 7 + first - 7;
        const std::uint32_t b = (j + 8 - first) / 7 * 7 + first - 7;
        if (a - i > 1 || b - j > 1) continue;
        const auto e = fieldAt(*c.model, (s.x0 + s.x1) / 2.0, (s.y0 + s.y1) / 2.0);
        const double dx = s.x1 - s.x0;
        const double dy = s.y1 - s.y0;
        const double cosine = (dx * e[0] + dy * e[1]) / std::hypot(dx, dy) / std::hypot(e[0], e[1]);
        // Within 4 degrees of a right angle.
        EXPECT_LT(std::abs(cosine), 0.07) << "arrow at " << a << "," << b;
        ++crossings;
    }
    EXPECT_GE(crossings, 100);
}

}  // namespace
