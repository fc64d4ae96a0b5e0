#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "field/Reference.hpp"
#include "field/fast/SimdLevel.hpp"
#include "measure/ContourStep.hpp"
#include "measure/Contours.hpp"
#include "measure/fast/ContourFast.hpp"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct Grid {
    std::uint32_t nx;
    std::uint32_t ny;
    std::vector<double> v;
    double& at(std::uint32_t i, std::uint32_t j) { return v[std::size_t{i} * ny + j]; }
};

// The lines of every level, as Equipotentials::update finds them: the step for the values'
// range, then the fast scan (of the level given) or the reference.
std::vector<ContourSegment> linesOf(const Grid& g, double step, bool reference,
                                    SimdLevel level = SimdLevel::Portable) {
    std::vector<ContourSegment> out{{1, 2, 3, 4, 5}};
    const ValueRange range =
        g.v.empty() ? ValueRange{0, 0} : valueRangeReference(g.v.data(), g.v.size());
    const ContourJob job{g.v.data(), g.nx, g.ny, contourLevels(range, step)};
    ContourWorkspace work;
    reference ? contoursReference(job, out) : contoursFast(job, work, out, level);
    return out;
}

double freshStep(const Grid& g) {
    return freshContourStep(valueRangeReference(g.v.data(), g.v.size())).value;
}

bool sameSegments(const std::vector<ContourSegment>& a, const std::vector<ContourSegment>& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0);
}

// Smooth hills, noise, values exactly on the levels of step 0.1 (flat cells, saddles, corners
// on a level), values a few units in the last place or a millionth of a level off them, and
// noise with infinities and NaNs.
Grid field(std::uint32_t nx, std::uint32_t ny, int kind, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> k(-3, 3);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    Grid g{nx, ny, std::vector<double>(std::size_t{nx} * ny)};
    for (std::uint32_t i = 0; i < nx; ++i) {
        for (std::uint32_t j = 0; j < ny; ++j) {
            const double onLevel = k(gen) * 0.1;
            const double values[] = {std::sin(0.3 * i + 0.2) * std::cos(0.2 * j + 0.1), u(gen),
                                     onLevel,
                                     std::nextafter(onLevel, u(gen) * inf) * (1 + 1e-7 * k(gen)),
                                     k(gen) == 3    ? inf
                                     : k(gen) == -3 ? nan
                                                    : u(gen)};
            g.at(i, j) = values[kind];
        }
    }
    return g;
}

TEST(FastContours, EveryLevelGivesTheReferenceSegmentsInOrder) {
    const std::pair<std::uint32_t, std::uint32_t> sizes[] = {{2, 2},   {2, 9},  {9, 2},  {3, 7},
                                                             {17, 33}, {64, 5}, {5, 64}, {61, 37}};
    unsigned seed = 1;
    for (const auto& [nx, ny] : sizes) {
        for (int kind = 0; kind < 5; ++kind) {
            const Grid g = field(nx, ny, kind, seed++);
            // The program's step, one with many levels in a cell, and 0.1 of the levels above.
            for (const double step : {freshStep(g), freshStep(g) / 8, 0.1}) {
                const auto expected = linesOf(g, step, true);
                for (const SimdLevel level : supportedSimdLevels()) {
                    EXPECT_TRUE(sameSegments(expected, linesOf(g, step, false, level)))
                        << nx << "x" << ny << " kind " << kind << " step " << step << " "
                        << simdLevelName(level);
                }
            }
        }
    }
}

TEST(Contours, LinesJoinExactlyFromCellToCell) {
    // Every end of a segment inside the grid is the end of one more segment of its level, to
    // the bit: the lines are closed or run to the sides.
    const Grid g = field(40, 30, 0, 0);
    const auto lines = linesOf(g, freshStep(g), false, bestSimdLevel());
    std::map<std::tuple<float, float, std::int32_t>, int> ends;
    for (const ContourSegment& s : lines) {
        ++ends[{s.x0, s.y0, s.level}];
        ++ends[{s.x1, s.y1, s.level}];
    }
    ASSERT_GT(lines.size(), 100u);
    for (const auto& [end, count] : ends) {
        const auto [x, y, k] = end;
        const bool side = x == 0.5f || y == 0.5f || x == 39.5f || y == 29.5f;
        EXPECT_EQ(count, side ? 1 : 2) << x << "," << y << " level " << k;
    }
}

TEST(Contours, SaddleFollowsItsCentre) {
    // Corners (0,0) and (1,1) at 1, the others at 0.2: the centre, 0.6, is above level 0.4 and
    // joins the higher corners, so the lines cut off the lower ones; at 0.8 the reverse.
    const Grid g{2, 2, {1.0, 0.2, 0.2, 1.0}};
    const std::vector<ContourSegment> expected = {{1.25f, 0.5f, 1.5f, 0.75f, 1},
                                                  {0.75f, 1.5f, 0.5f, 1.25f, 1},
                                                  {0.75f, 0.5f, 0.5f, 0.75f, 2},
                                                  {1.5f, 1.25f, 1.25f, 1.5f, 2}};
    // The crossings' fractions, 1/4 and 3/4 up to the last bits of a double, are exact floats.
    EXPECT_TRUE(sameSegments(linesOf(g, 0.4, true), expected));
}

TEST(Contours, DegenerateGridsHaveNoLines) {
    const std::vector<Grid> grids = {{1, 1, {0.5}},
                                     {1, 6, {0, 1, 2, 3, 4, 5}},
                                     {6, 1, {0, 1, 2, 3, 4, 5}},
                                     {3, 3, std::vector<double>(9, 0.3)},
                                     {3, 3, {0, 1, 2, 3, inf, 5, 6, 7, 8}},
                                     {3, 3, {nan, 1, 2, 3, 4, 5, 6, 7, 8}},
                                     {0, 0, {}}};
    for (const Grid& g : grids) {
        const ValueRange range =
            g.v.empty() ? ValueRange{0, 0} : valueRangeReference(g.v.data(), g.v.size());
        const double step = freshContourStep(range).value;
        for (const SimdLevel level : supportedSimdLevels())
            EXPECT_TRUE(linesOf(g, step, false, level).empty()) << g.nx << "x" << g.ny;
        EXPECT_TRUE(linesOf(g, step, true).empty()) << g.nx << "x" << g.ny;
    }
}

TEST(Contours, ALevelHeldByTheGridsEdgeDrawsNoFrameAndOneInsideIsDrawnOnce) {
    // Grounded sides round a positive upper half and a negative lower half, split by a row
    // exactly at zero.
    Grid g{6, 7, std::vector<double>(42, 0.0)};
    for (std::uint32_t i = 1; i < 5; ++i) {
        for (std::uint32_t j = 1; j < 6; ++j)
            g.at(i, j) = j < 3 ? 1.0 : j > 3 ? -1.0 : 0.0;
    }
    const auto onEdge = [](float x, float y) {
        return x == 0.5f || x == 5.5f || y == 0.5f || y == 6.5f;
    };
    int alongMiddle = 0;
    for (const ContourSegment& s : linesOf(g, 0.5, true)) {
        if (s.level != 0) continue;
        EXPECT_FALSE(onEdge(s.x0, s.y0) && onEdge(s.x1, s.y1) && (s.x0 == s.x1 || s.y0 == s.y1))
            << s.x0 << "," << s.y0 << " " << s.x1 << "," << s.y1;
        if (s.y0 == 3.5f && s.y1 == 3.5f) ++alongMiddle;
    }
    // The inner cells of the row, each once, from the side above it.
    EXPECT_EQ(alongMiddle, 3);
}

TEST(Contours, ValuesNearTheLargestDoublesGiveLinesInsideTheirCells) {
    // Boundary values edited to the limits: the differences across a cell overflow.
    const Grid g{2, 2, {-1.7e308, 1.7e308, 1.6e308, -1.5e308}};
    const auto lines = linesOf(g, freshStep(g), true);
    ASSERT_FALSE(lines.empty());
    for (const ContourSegment& s : lines) {
        for (const float v : {s.x0, s.y0, s.x1, s.y1})
            EXPECT_TRUE(v >= 0.5f && v <= 1.5f) << v;
    }
}

TEST(Contours, NoLineTouchesANaN) {
    Grid g = field(9, 9, 0, 0);
    g.at(4, 4) = nan;
    const auto lines = linesOf(g, freshStep(g), false, bestSimdLevel());
    EXPECT_FALSE(lines.empty());
    for (const ContourSegment& s : lines) {
        EXPECT_FALSE(s.x0 > 3.5f && s.x0 < 5.5f && s.y0 > 3.5f && s.y0 < 5.5f)
            << s.x0 << "," << s.y0;
    }
}

// ---- the step ----

TEST(ContourStep, FreshStepsOfTheSeries) {
    struct Row {
        double min;
        double max;
        int mantissa;
        int exponent;
        const char* text;
    };
    // Both ends count: 0 .. 1 in steps of 0.05 would be 21 lines.
    const Row rows[] = {{0.0, 1.0, 1, -1, "0.1"},           {0.0, 0.99, 5, -2, "0.05"},
                        {-0.0031, 0.0031, 5, -4, "0.0005"}, {0.0, 1.9, 1, -1, "0.1"},
                        {0.0, 2.0, 2, -1, "0.2"},           {3e9, 3e9 + 39.0, 2, 0, "2"},
                        {-7e5, 2e6, 2, 5, "200000"},        {-7e5, 2e7, 2, 6, "2e+06"},
                        {1e-8, 4.01e-7, 2, -8, "2e-08"},    {0.0, 1e-4, 1, -5, "1e-05"},
                        {0.0, 9.9e-5, 5, -6, "5e-06"},      {-1e300, 1e300, 2, 299, "2e+299"},
                        {0.0, 1e-310, 1, -311, "1e-311"}};
    for (const Row& r : rows) {
        const ContourStep step = freshContourStep({r.min, r.max});
        EXPECT_EQ(step.mantissa, r.mantissa) << r.min << " .. " << r.max;
        EXPECT_EQ(step.exponent, r.exponent) << r.min << " .. " << r.max;
        EXPECT_EQ(stepText(step), r.text);
        // Rounded once, as the decimal is: 2 * 0.001 would be off by a unit.
        EXPECT_EQ(step.value, std::strtod(r.text, nullptr)) << r.text;
        const double lines = contourLineCount({r.min, r.max}, step.value);
        EXPECT_TRUE(lines >= 8 && lines <= 20) << r.min << " .. " << r.max << ": " << lines;
    }
    for (const ValueRange none : {ValueRange{1, 1}, {0, inf}, {nan, 1}, {-inf, inf}})
        EXPECT_EQ(freshContourStep(none).value, 0.0) << none.min << " .. " << none.max;
}

TEST(ContourStep, KeptWhileTheRangeDrifts) {
    // A potential converging over many frames: its range grows by 0.3 % a frame, 400 times
    // over, then shrinks back. The step only ever grows, then only ever shrinks, in about
    // one change per factor 2 of the range, and keeps 7 to 26 lines throughout.
    ContourStep step = freshContourStep({-0.2, 1.0});
    int changes = 0;
    for (int frame = 1; frame < 4000; ++frame) {
        const double top = std::pow(1.003, frame < 2000 ? frame : 4000 - frame);
        const ContourStep next = chooseContourStep({-0.2 * top, top}, step);
        const double lines = contourLineCount({-0.2 * top, top}, next.value);
        ASSERT_TRUE(lines >= 7 && lines <= 26) << "frame " << frame << ": " << lines;
        if (next.value != step.value) {
            EXPECT_EQ(next.value > step.value, frame < 2000) << "frame " << frame;
            ++changes;
        }
        step = next;
    }
    EXPECT_LE(changes, 2 * 9);
    // A range trembling about the fresh choice's border keeps its first step.
    const ContourStep first = freshContourStep({0.0, 2.0});
    for (const double top : {2.0001, 1.9999, 2.0001, 1.9999})
        EXPECT_EQ(chooseContourStep({0.0, top}, first).value, first.value);
}

}  // namespace
