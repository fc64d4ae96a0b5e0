// Metal as a user paints it, in one started program: F switches the brush to metal and the
// brush line says so, ] raises the potential, the left and the right button paint metal at plus
// and minus it, the eraser takes it away again. Checked on the window's pixels: the hatch over
// the metal, the charge it gathers on its rim in the charge layer and its potential in the
// potential layer.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "QuelvaneSession.hpp"
#include "ScreenWatch.hpp"

namespace {

using e2e::Area;
using e2e::isTextYellow;
using e2e::MouseButton;
using e2e::Rgb;
using e2e::Screenshot;
using e2e::watchScreen;

// 300 x 150 nodes at two pixels a node: a 600 x 300 window, wide enough for the brush line
// beside the layer's title. The brush's radius of 25 nodes paints discs 50 pixels round the
// pointer.
const std::vector<std::string> grid{"2", "300", "150"};
constexpr int radius = 50;
constexpr e2e::Point leftDisc{100, 150};
constexpr e2e::Point rightDisc{300, 150};
const Area help{20, 20, 150, 200};
const Area brushLine{0, 260, 360, 40};
// Where the pointer waits, its read-out clear of the discs.
constexpr e2e::Point aside{200, 10};

bool isHatch(Rgb c) {
    return c.r == 200 && c.g == 200 && c.b == 200;
}
bool isRed(Rgb c) {
    return c.r > 200 && c.g < 40 && c.b < 40;
}
bool isBlue(Rgb c) {
    return c.b > 200 && c.r < 40 && c.g < 40;
}

// The pixels of a disc's square that lie on the hatch's lines, and those that do not, within
// `from` .. `to` pixels of the disc's centre.
struct DiscPixels {
    int onLines = 0;
    int hatched = 0;
    int offLines = 0;
    int red = 0;
    int blue = 0;
};

DiscPixels discPixels(const Screenshot& s, e2e::Point c, double from, double to) {
    DiscPixels p;
    for (int x = c.x - radius; x < c.x + radius; ++x) {
        for (int y = c.y - radius; y < c.y + radius; ++y) {
            const double d = std::hypot(x - c.x, y - c.y);
            if (d < from || d > to) continue;
            const Rgb px = s.pixel(x, y);
            if ((x + y) % 6 == 0) {
                ++p.onLines;
                if (isHatch(px)) ++p.hatched;
            } else {
                ++p.offLines;
                if (isRed(px)) ++p.red;
                if (isBlue(px)) ++p.blue;
            }
        }
    }
    return p;
}

// Rightmost column of the brush line's text.
int brushLineEnd(const Screenshot& s) {
    int end = -1;
    for (int x = brushLine.left; x < brushLine.left + brushLine.width; ++x) {
        for (int y = brushLine.top; y < brushLine.top + brushLine.height; ++y) {
            if (isTextYellow(s.pixel(x, y))) end = x;
        }
    }
    return end;
}

class MetalSession {
  public:
    MetalSession()
        : session({800, 600}, grid),
          window(session.waitForWindow()),
          input(session.input(window)) {}

    template <typename Condition>
    Screenshot expect(Condition&& condition, const std::string& what) {
        const auto seen = watchScreen(window, condition);
        EXPECT_TRUE(seen.met) << what << ": " << seen.last.save("metal_" + what).string();
        return seen.last;
    }

    void stroke(e2e::Point at, MouseButton button) {
        input.moveTo(at.x, at.y);
        input.press(button);
        expect([&](const Screenshot& s) { return discPixels(s, at, 0, radius - 6).hatched > 100; },
               "painting");
        input.release(button);
        input.moveTo(aside.x, aside.y);
    }

    e2e::QuelvaneSession session;
    e2e::TopLevelWindow window;
    e2e::UserInput input;
};

TEST(MetalBrush, FPaintsMetalWithBothButtonsTheEraserRemovesItAndBothLayersShowIt) {
    MetalSession m;
    ASSERT_TRUE(e2e::waitUntil([&] { return m.window.hasFocus(); }));
    m.expect([](const Screenshot& s) { return s.count(help, isTextYellow) > 300; }, "start");
    for (const char* k : {"o", "v", "h"})
        m.input.key(k);
    m.input.moveTo(aside.x, aside.y);
    const Screenshot charge = m.expect(
        [](const Screenshot& s) { return s.count(help, isTextYellow) == 0; }, "charge_brush");
    const int chargeEnd = brushLineEnd(charge);
    // "metal at 0.005, " comes before "radius = 25": sixteen characters of 11 pixels.
    m.input.key("f");
    for (int k = 0; k < 3; ++k)
        m.input.key("bracketright");
    m.expect([&](const Screenshot& s) { return brushLineEnd(s) == chargeEnd + 16 * 11; },
             "metal_brush");

    m.stroke(leftDisc, MouseButton::Left);
    m.stroke(rightDisc, MouseButton::Right);
    // Metal at +0.005 in a grounded box gathers positive charge on its rim, metal at -0.005
    // negative; inside, none: the hatch over black.
    const Screenshot painted = m.expect(
        [&](const Screenshot& s) {
            const DiscPixels l = discPixels(s, leftDisc, radius - 3, radius);
            const DiscPixels r = discPixels(s, rightDisc, radius - 3, radius);
            // The pointer's read-out, a frame late, must have left the discs.
            return l.red > l.offLines / 2 && r.blue > r.offLines / 2 &&
                   s.count({50, 100, 300, 100}, isTextYellow) == 0;
        },
        "rims");
    for (const e2e::Point c : {leftDisc, rightDisc}) {
        const DiscPixels inner = discPixels(painted, c, 0, radius - 6);
        EXPECT_EQ(inner.hatched, inner.onLines) << "the hatch covers the metal at x = " << c.x;
        EXPECT_EQ(inner.red + inner.blue, 0) << "no charge inside the metal";
    }
    EXPECT_EQ(painted.count({180, 100, 40, 100}, isHatch), 0) << "no hatch between the discs";

    // The potential layer: the metal at its potential, full red and full blue on the range the
    // two discs set.
    m.input.key("q");
    m.expect(
        [&](const Screenshot& s) {
            const DiscPixels l = discPixels(s, leftDisc, 0, radius - 6);
            const DiscPixels r = discPixels(s, rightDisc, 0, radius - 6);
            return l.red == l.offLines && r.blue == r.offLines && l.hatched == l.onLines &&
                   r.hatched == r.onLines;
        },
        "potential");
    m.input.key("q");

    // The eraser frees metal with the right button too: the left disc's hatch goes.
    m.input.key("e");
    m.input.moveTo(leftDisc.x, leftDisc.y);
    m.input.press(MouseButton::Right);
    m.expect(
        [&](const Screenshot& s) {
            return discPixels(s, leftDisc, 0, radius + 2).hatched == 0 &&
                   discPixels(s, rightDisc, 0, radius - 6).hatched > 100;
        },
        "erased");
    m.input.release(MouseButton::Right);
}

}  // namespace
