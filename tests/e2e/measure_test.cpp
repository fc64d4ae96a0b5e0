// The measuring tools as a user meets them, one started program per tool: the probe's read-out
// beside the pointer and the marker of its reference, the cross-section graph through the row
// and the column under the pointer, and the equipotential lines of the infinite capacitor.
// Checked on the pixels of the window.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "QuelvaneSession.hpp"
#include "ScreenWatch.hpp"

namespace {

using e2e::Area;
using e2e::isTextYellow;
using e2e::Rgb;
using e2e::Screenshot;
using e2e::watchScreen;

// 200 x 150 nodes at two pixels a node: a 400 x 300 window, wide and tall enough for the graph.
const std::vector<std::string> grid{"2", "200", "150"};
constexpr int scale = 2;
// Left of the loaded scenario's name at the top right.
const Area help{20, 20, 150, 200};
const Area frameRate{300, 0, 100, 48};

bool isMarker(Rgb c) {
    return c.r > 200 && c.g < 120 && c.b > 200;
}
// The graph's potential curve and its |E| curve.
bool isPhiCurve(Rgb c) {
    return c.r > 200 && c.g > 80 && c.g < 140 && c.b < 90;
}
bool isFieldCurve(Rgb c) {
    return c.r < 150 && c.g > 170 && c.b > 220;
}

class Tool {
  public:
    explicit Tool(const std::string& name)
        : session({800, 600}, grid),
          window(session.waitForWindow()),
          input(session.input(window)),
          name_(name) {}

    // The infinite capacitor loaded, help, outline and field arrows off, the pointer at `at`.
    void start(e2e::Point at) {
        ASSERT_TRUE(e2e::waitUntil([&] { return window.hasFocus(); }));
        const auto drawn = watchScreen(
            window, [&](const Screenshot& s) { return s.count(help, isTextYellow) > 300; });
        ASSERT_TRUE(drawn.met) << "no help text seen: " << save(drawn.last, "start");
        for (const char* k : {"o", "v", "l", "h"})
            input.key(k);
        const auto hidden = watchScreen(
            window, [&](const Screenshot& s) { return s.count(help, isTextYellow) == 0; });
        ASSERT_TRUE(hidden.met) << "help still shown: " << save(hidden.last, "help");
        input.moveTo(at.x, at.y);
    }

    // The window once it stands still but for the frame rate and the parts that follow the
    // relaxing potential.
    template <typename Condition>
    Screenshot expect(Condition&& condition, const std::string& what,
                      std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto seen = watchScreen(window, condition, timeout);
        EXPECT_TRUE(seen.met) << what << ": " << save(seen.last, what);
        return seen.last;
    }

    std::string save(const Screenshot& shot, const std::string& what) const {
        return shot.save("measure_" + name_ + "_" + what).string();
    }

    e2e::QuelvaneSession session;
    e2e::TopLevelWindow window;
    e2e::UserInput input;

  private:
    std::string name_;
};

// Rows of an area holding at least one pixel of the kind.
template <typename Kind>
std::set<int> rowsWith(const Screenshot& s, Area a, Kind&& kind) {
    std::set<int> rows;
    for (int y = a.top; y < a.top + a.height; ++y) {
        for (int x = a.left; x < a.left + a.width; ++x) {
            if (kind(s.pixel(x, y))) rows.insert(y);
        }
    }
    return rows;
}

TEST(ProbeKey, MShowsTheReadoutBesideThePointerRPinsItsReferenceAndMHidesBoth) {
    Tool tool("probe");
    ASSERT_NO_FATAL_FAILURE(tool.start({100, 60}));
    // Beside the pointer: its own read-out (x, y) from 20 pixels right and below, the probe's
    // below that.
    // Too wide for the right of the pointer, it stands at the left edge.
    const Area readout{0, 132, 400, 120};
    const Area marker{90, 50, 22, 22};
    tool.expect([&](const Screenshot& s) { return s.count(readout, isTextYellow) == 0; },
                "no_probe");
    tool.input.key("m");
    tool.expect([&](const Screenshot& s) { return s.count(readout, isTextYellow) > 400; },
                "probe_shown");
    // Pinned at node (50, 30), whose pixel square's centre is (101, 61).
    tool.input.key("r");
    tool.input.moveTo(60, 20);
    const Screenshot pinned = tool.expect(
        [&](const Screenshot& s) {
            return s.count(marker, isMarker) > 20 &&
                   s.count({40, 92, 340, 150}, isTextYellow) > 600;
        },
        "pinned");
    EXPECT_TRUE(isMarker(pinned.pixel(101 + 5, 61))) << "the marker's ring about the node";
    EXPECT_FALSE(isMarker(pinned.pixel(101, 61))) << "the node itself stays visible";
    // Turning the probe off hides the read-out and forgets the reference.
    tool.input.key("m");
    tool.expect(
        [&](const Screenshot& s) {
            return s.count(isMarker) == 0 && s.count({40, 92, 340, 150}, isTextYellow) == 0;
        },
        "probe_off");
    tool.input.key("m");
    const Screenshot again = tool.expect(
        [&](const Screenshot& s) {
            return s.count({40, 92, 340, 150}, isTextYellow) > 300;
        },
        "probe_again");
    EXPECT_EQ(again.count(isMarker), 0) << "a reference survived the probe's turning off";
}

TEST(CrossSectionKey, GPlotsTheRowThenTheColumnUnderThePointerThenNothing) {
    Tool tool("graph");
    // The pointer between the plates, which lie across the grid at rows 38 to 42 and 112 to 116.
    ASSERT_NO_FATAL_FAILURE(tool.start({200, 150}));
    const Area panel{0, 130, 400, 120};
    // Below the graph's title and the curves' ranges, which are written in the curves' colours.
    const Area curves{0, 172, 400, 78};
    // The pointer's own read-out (x, y) stands in the panel: the picture is taken once it does.
    const Area cursorReadout{220, 170, 100, 45};
    const Screenshot before = tool.expect(
        [&](const Screenshot& s) { return s.count(cursorReadout, isTextYellow) > 100; }, "before");
    tool.input.key("g");
    // The infinite capacitor's potential varies across the plates only: along a row it is
    // constant, a level line on the graph.
    const Screenshot row = tool.expect(
        [&](const Screenshot& s) {
            return s.count(curves, isPhiCurve) > 300 && rowsWith(s, curves, isPhiCurve).size() <= 3;
        },
        "row");
    // Along the column it rises and falls between the plates: the curve spans the graph's
    // height, and so does the field's, which jumps at the plates.
    tool.input.key("g");
    tool.expect(
        [&](const Screenshot& s) {
            return rowsWith(s, curves, isPhiCurve).size() > 40 &&
                   rowsWith(s, curves, isFieldCurve).size() > 40;
        },
        "column");
    tool.input.key("g");
    tool.expect([&](const Screenshot& s) { return e2e::differingPixels(before, s, panel) == 0; },
                "off");
}

bool isLevelLine(Rgb c) {
    return c.g > 200 && c.r < 150 && c.b < 150;
}
bool isZeroLine(Rgb c) {
    return c.r < 60 && c.g > 200 && c.b > 220;
}

// Rows of the window between the plates that a level line crosses from side to side.
std::vector<int> levelRows(const Screenshot& s) {
    std::vector<int> rows;
    for (int y = 43 * scale; y < 112 * scale; ++y) {
        int n = 0;
        for (int x = 0; x < 400; ++x) {
            if (isLevelLine(s.pixel(x, y)) || isZeroLine(s.pixel(x, y))) ++n;
        }
        if (n > 380) rows.push_back(y);
    }
    return rows;
}

TEST(EquipotentialKey, CDrawsTheCapacitorsLevelsStraightAndEvenlySpacedAndCHidesThem) {
    Tool tool("equipotentials");
    ASSERT_NO_FATAL_FAILURE(tool.start({390, 10}));
    const Area legend{100, 220, 300, 30};
    tool.input.key("c");
    // Between the plates the settled potential falls linearly, so the levels, equal steps
    // apart, are straight rows equally far apart, the middle one the zero level.
    const auto evenlySpaced = [](const Screenshot& s) {
        const std::vector<int> rows = levelRows(s);
        if (rows.size() < 4) return false;
        for (std::size_t k = 2; k < rows.size(); ++k) {
            if (std::abs((rows[k] - rows[k - 1]) - (rows[1] - rows[0])) > 1) return false;
        }
        return isZeroLine(s.pixel(200, rows[rows.size() / 2]));
    };
    const Screenshot lines = tool.expect(
        [&](const Screenshot& s) { return evenlySpaced(s) && s.count(legend, isTextYellow) > 200; },
        "lines",
        // The potential must settle first: under an emulator on a busy machine, at a few frames
        // a second, that has taken longer than the other waits allow.
        std::chrono::seconds(40));
    tool.save(lines, "capacitor");
    tool.input.key("c");
    tool.expect(
        [&](const Screenshot& s) {
            return s.count(isLevelLine) == 0 && s.count(isZeroLine) == 0 &&
                   s.count(legend, isTextYellow) == 0;
        },
        "hidden");
}

}  // namespace
