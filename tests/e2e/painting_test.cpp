// Painting charge with the mouse as a user does it: the disc under the pointer, both buttons, the
// hard and the soft brush, the wheel, the eraser, the focus rule and painting from beside the
// window. Every check compares the charge layer pixel by pixel with what the strokes must leave.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "QuelvaneSession.hpp"
#include "ScreenWatch.hpp"

namespace {

using e2e::Area;
using e2e::isTextYellow;
using e2e::MouseButton;
using e2e::Point;
using e2e::Rgb;
using e2e::Screenshot;
using e2e::ScreenSize;
using e2e::watchScreen;

// A 300 x 300 window at scale 1 and 2, placed at (100, 47) on this screen, leaves room on the
// left and above it for a pointer beside the window.
constexpr ScreenSize screen{500, 500};
constexpr int windowSide = 300;
constexpr int startRadius = 25;

constexpr Rgb black{0, 0, 0};
constexpr Rgb red{255, 0, 0};
constexpr Rgb blue{0, 0, 255};

// With the help hidden, only these bands are free of overlay texts in a 300 x 300 window: above
// the top-right texts, and between them and the bottom lines.
const Area topBand{0, 0, windowSide, 18};
const Area middleBand{0, 80, windowSide, 176};
const Area helpArea{0, 80, 180, 170};  // filled by the help text while it is shown
const Area brushLineArea{0, 256, windowSide, 44};

bool inside(Area a, int x, int y) {
    return x >= a.left && y >= a.top && x < a.left + a.width && y < a.top + a.height;
}

// The read-out of the node under the pointer stands 20 pixels right of and below the pointer.
Area readoutArea(Point pointer) {
    return {pointer.x + 18, pointer.y + 18, 100, 50};
}

bool isWhite(Rgb c) {
    return c.r > 200 && c.g > 200 && c.b > 200;
}

// Black, white and the yellow texts keep red and green equal and blue at 0 or equal to them;
// any charge colour breaks that.
bool showsCharge(Rgb c) {
    return c.r != c.g || (c.b != 0 && c.b != c.r);
}

Rgb chargeColour(int value) {
    return value > 0 ? red : value < 0 ? blue : black;
}

// What hard-brush and eraser strokes must leave: -1, 0 or +1 per node.
class ChargeSketch {
  public:
    ChargeSketch(int nx, int ny) : nx_(nx), ny_(ny), values_(static_cast<std::size_t>(nx * ny)) {}

    // Every node whose squared distance from the centre, in nodes, is at most radius squared takes
    // the value; the part of the disc beyond the grid is dropped.
    void stamp(Point centre, int radius, int value) {
        for (int i = std::max(centre.x - radius, 0); i <= std::min(centre.x + radius, nx_ - 1);
             ++i) {
            for (int j = std::max(centre.y - radius, 0); j <= std::min(centre.y + radius, ny_ - 1);
                 ++j) {
                const int di = i - centre.x;
                const int dj = j - centre.y;
                if (di * di + dj * dj <= radius * radius) values_[index(i, j)] = value;
            }
        }
    }
    int at(int i, int j) const { return values_[index(i, j)]; }

  private:
    std::size_t index(int i, int j) const { return static_cast<std::size_t>(i * ny_ + j); }

    int nx_;
    int ny_;
    std::vector<int> values_;
};

class Painting : public testing::TestWithParam<int> {
  protected:
    Painting()
        : session(screen,
                  {std::to_string(scale()), std::to_string(nodes()), std::to_string(nodes())}),
          window(session.waitForWindow()),
          input(session.input(window)),
          sketch(nodes(), nodes()) {}

    int scale() const { return GetParam(); }
    int nodes() const { return windowSide / scale(); }
    // Pixel to node as the brush maps it: whole nodes, truncated toward zero.
    Point node(Point pixel) const { return {pixel.x / scale(), pixel.y / scale()}; }
    Rgb pixelOfNode(const Screenshot& shot, Point n) const {
        return shot.pixel(n.x * scale(), n.y * scale());
    }

    // Far from the window, so neither the read-out nor the outline can reach it.
    void park() { input.moveToScreen(0, 0); }
    void moveBeside(Point p) {
        const Point origin = window.position();
        input.moveToScreen(origin.x + p.x, origin.y + p.y);
    }

    // Hides what would cover the charge (help, outline, field arrows) after pressing the given
    // keys; the help vanishing shows that every key before it has been taken.
    void prepare(std::vector<std::string> keys) {
        ASSERT_TRUE(e2e::waitUntil([&] { return window.hasFocus(); }));
        const auto shown = watchScreen(
            window, [](const Screenshot& s) { return s.count(helpArea, isTextYellow) > 300; });
        ASSERT_TRUE(shown.met) << "no help text seen: " << shown.last.save(name("no_help"));
        park();
        keys.insert(keys.end(), {"o", "v", "h"});
        for (const auto& k : keys)
            input.key(k);
        const auto hidden = watchScreen(
            window, [](const Screenshot& s) { return s.count(helpArea, isTextYellow) == 0; });
        ASSERT_TRUE(hidden.met) << "help still shown: " << hidden.last.save(name("help_shown"));
    }

    // Pixels of the text-free bands that differ from a sketch; the read-out beside a pointer over
    // the window is left out.
    int mismatches(const Screenshot& shot, const ChargeSketch& expected,
                   std::optional<Point> pointer, std::string* first = nullptr) const {
        int n = 0;
        for (const Area band : {topBand, middleBand}) {
            for (int y = band.top; y < band.top + band.height; ++y) {
                for (int x = band.left; x < band.left + band.width; ++x) {
                    if (pointer && inside(readoutArea(*pointer), x, y)) continue;
                    const Rgb want = chargeColour(expected.at(x / scale(), y / scale()));
                    const Rgb got = shot.pixel(x, y);
                    if (got == want) continue;
                    if (n++ == 0 && first) {
                        std::ostringstream out;
                        out << "pixel (" << x << "," << y << ") is " << got << ", expected "
                            << want;
                        *first = out.str();
                    }
                }
            }
        }
        return n;
    }

    void expectCharge(std::optional<Point> pointer, const std::string& what) {
        const auto watch = watchScreen(
            window, [&](const Screenshot& s) { return mismatches(s, sketch, pointer) == 0; });
        reportMismatches(watch, pointer, what);
    }

    void reportMismatches(const e2e::ScreenWatch& watch, std::optional<Point> pointer,
                          const std::string& what) {
        std::string first;
        const int n = mismatches(watch.last, sketch, pointer, &first);
        EXPECT_TRUE(watch.met) << what << ": " << n << " pixels differ from the expected charge, "
                               << first << "; picture: " << watch.last.save(name(what));
    }

    // One hard-brush or eraser stroke held still at a point of the window (or beside it) until
    // the disc shows. A hard brush sets the whole disc in one frame, so no frame may show it
    // partly drawn: neither the charge before the stroke nor the charge after it. A picture read
    // while a frame is being put on the screen may show part of the old frame and part of the
    // new one; a frame that really shows a partial disc stays on the screen for a whole frame's
    // time, so a partial picture counts when the next picture shows the same.
    void stroke(Point p, MouseButton button, int radius, int value, const std::string& what) {
        const ChargeSketch before = sketch;
        sketch.stamp(node(p), radius, value);
        moveBeside(p);
        input.press(button);
        int partlyDrawn = 0;
        std::optional<std::pair<int, int>> lastPartial;  // its mismatches to after and before
        const auto watch = watchScreen(window, [&](const Screenshot& s) {
            const int toAfter = mismatches(s, sketch, p);
            std::optional<std::pair<int, int>> partial;
            if (toAfter > 0) {
                const int toBefore = mismatches(s, before, p);
                if (toBefore > 0) partial = std::pair{toAfter, toBefore};
            }
            if (partial && partial == lastPartial) ++partlyDrawn;
            lastPartial = partial;
            return toAfter == 0;
        });
        reportMismatches(watch, p, what);
        if (watch.met) {
            EXPECT_EQ(partlyDrawn, 0) << what << ": pictures showed the disc partly drawn";
        }
        input.release(button);
        park();
    }

    // A key whose only visible sign is the brush line at the bottom left.
    void brushKey(const std::string& key) {
        const Screenshot before = window.screenshot();
        input.key(key);
        const auto changed = watchScreen(window, [&](const Screenshot& s) {
            return e2e::differingPixels(before, s, brushLineArea) > 0;
        });
        ASSERT_TRUE(changed.met) << "the brush line did not change on '" << key << "'";
    }

    // The outline is a white ring of the brush radius around the pointer; counts its pixels
    // within a pixel or two of the given radius.
    static int ringPixels(const Screenshot& shot, Point centre, int radius) {
        int n = 0;
        for (int y = centre.y - radius - 3; y <= centre.y + radius + 3; ++y) {
            for (int x = centre.x - radius - 3; x <= centre.x + radius + 3; ++x) {
                const int d2 = (x - centre.x) * (x - centre.x) + (y - centre.y) * (y - centre.y);
                if (d2 >= (radius - 2) * (radius - 2) && d2 < (radius + 3) * (radius + 3) &&
                    shot.contains(x, y) && isWhite(shot.pixel(x, y))) {
                    ++n;
                }
            }
        }
        return n;
    }

    // Shows the outline at the pointer, checks that it has the radius the wheel set and not the
    // one before, and hides it again. The outline key also proves that the wheel notches sent
    // before it have been taken.
    void expectOutlineRadius(Point pointer, int radius, int oldRadius) {
        input.key("o");
        const int r = radius * scale();
        const auto shown = watchScreen(
            window, [&](const Screenshot& s) { return ringPixels(s, pointer, r) > 3 * r; });
        EXPECT_TRUE(shown.met) << "no outline of radius " << r
                               << " pixels: " << shown.last.save(name("outline"));
        EXPECT_EQ(ringPixels(shown.last, pointer, oldRadius * scale()), 0);
        input.key("o");
        const auto hidden =
            watchScreen(window, [](const Screenshot& s) { return s.count(isWhite) == 0; });
        EXPECT_TRUE(hidden.met) << "outline still shown";
    }

    std::string name(const std::string& what) const {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        std::string test = info->name();
        std::replace(test.begin(), test.end(), '/', '_');
        return "painting_" + test + "_" + what;
    }

    e2e::QuelvaneSession session;
    e2e::TopLevelWindow window;
    e2e::UserInput input;
    ChargeSketch sketch;
};

TEST_P(Painting, HardBrushSetsFullChargeInsideTheDiscAndNothingOutside) {
    ASSERT_NO_FATAL_FAILURE(prepare({"b"}));
    expectCharge(std::nullopt, "empty");

    stroke({150, 165}, MouseButton::Left, startRadius, +1, "left");
    // The second disc overlaps the first: the later stroke wins where they meet.
    stroke({200, 190}, MouseButton::Right, startRadius, -1, "right");
    expectCharge(std::nullopt, "both");
}

TEST_P(Painting, SoftBrushHeldStillBuildsUpToFullChargeAtTheCentre) {
    ASSERT_NO_FATAL_FAILURE(prepare({}));
    const Point pointer{150, 165};
    const Point c = node(pointer);
    // Every frame adds the same rounded profile, so at any moment the charge falls off from the
    // centre alike in all four directions and ends at the rim. The read-out stands right of and
    // below the pointer, off the centre's row and column.
    std::vector<std::string> faults;
    bool partlyFilled = false;
    const auto profileFaults = [&](const Screenshot& s) {
        const int centre = pixelOfNode(s, c).r;
        const int rim = pixelOfNode(s, {c.x + startRadius, c.y}).r;
        if ((centre > 0 && centre < 255) || (rim > 0 && rim < 255)) partlyFilled = true;
        const auto at = [&](int di, int dj) { return pixelOfNode(s, {c.x + di, c.y + dj}); };
        for (int d = 0; d <= startRadius + 1; ++d) {
            const Rgb east = at(d, 0);
            const bool same = at(-d, 0) == east && at(0, d) == east && at(0, -d) == east;
            const bool redOnly = east.g == 0 && east.b == 0;
            const bool fallsOff = d == 0 || east.r <= at(d - 1, 0).r;
            const bool rimEnds = d <= startRadius || east == black;
            if (!same || !redOnly || !fallsOff || !rimEnds) {
                std::ostringstream out;
                out << "at distance " << d << " the charge shows " << east << " east, " << at(-d, 0)
                    << " west, " << at(0, d) << " south, " << at(0, -d) << " north";
                faults.push_back(out.str());
            }
        }
    };

    moveBeside(pointer);
    input.press(MouseButton::Left);
    const auto centreFull = watchScreen(window, [&](const Screenshot& s) {
        profileFaults(s);
        return pixelOfNode(s, c) == red;
    });
    EXPECT_TRUE(centreFull.met) << "centre at " << pixelOfNode(centreFull.last, c)
                                << "; picture: " << centreFull.last.save(name("centre"));
    // The rim gains least per frame; once it is full, so is every node of the disc.
    const auto rimFull = watchScreen(window, [&](const Screenshot& s) {
        profileFaults(s);
        return pixelOfNode(s, {c.x + startRadius, c.y}) == red;
    });
    EXPECT_TRUE(rimFull.met) << "rim at " << pixelOfNode(rimFull.last, {c.x + startRadius, c.y});
    input.release(MouseButton::Left);
    park();
    EXPECT_TRUE(faults.empty()) << faults.size() << " profile faults, first: "
                                << (faults.empty() ? "" : faults.front());
    // The rim gains about 0.27 * 0.05 per frame, so filling the disc takes at least 74 frames,
    // each with its relaxation sweeps, while pictures are taken every 20 ms: a brush that fills
    // the disc at once would never be seen half way.
    EXPECT_TRUE(partlyFilled) << "the soft brush never showed a partly filled disc";

    sketch.stamp(c, startRadius, +1);
    expectCharge(std::nullopt, "saturated");
}

TEST_P(Painting, WheelChangesTheRadiusOfOutlineAndDisc) {
    ASSERT_NO_FATAL_FAILURE(prepare({"b"}));
    // The wheel turns over the window; the strokes then move elsewhere.
    const Point wheelAt{60, 200};
    moveBeside(wheelAt);
    input.wheelDown(10);
    expectOutlineRadius(wheelAt, startRadius - 10, startRadius);
    const Point small{80, 130};
    stroke(small, MouseButton::Left, startRadius - 10, +1, "smaller");
    const Screenshot shot = window.screenshot();
    EXPECT_EQ(pixelOfNode(shot, {node(small).x + startRadius - 1, node(small).y}), black)
        << "just inside the old radius";
    EXPECT_EQ(pixelOfNode(shot, {node(small).x + startRadius - 10, node(small).y}), red)
        << "on the new radius";

    const Point large{190, 170};
    moveBeside(wheelAt);
    input.wheelUp(20);
    expectOutlineRadius(wheelAt, startRadius + 10, startRadius - 10);
    stroke(large, MouseButton::Right, startRadius + 10, -1, "larger");
    expectCharge(std::nullopt, "both");
}

TEST_P(Painting, HardEraserClearsChargeWithEitherButton) {
    ASSERT_NO_FATAL_FAILURE(prepare({"b"}));
    stroke({120, 150}, MouseButton::Left, startRadius, +1, "positive");
    stroke({185, 185}, MouseButton::Right, startRadius, -1, "negative");

    ASSERT_NO_FATAL_FAILURE(brushKey("e"));
    stroke({130, 155}, MouseButton::Left, startRadius, 0, "erased_left");
    stroke({180, 195}, MouseButton::Right, startRadius, 0, "erased_right");
    expectCharge(std::nullopt, "erased");
}

TEST_P(Painting, HeldButtonPaintsOnlyWhileTheWindowHasTheFocus) {
    ASSERT_NO_FATAL_FAILURE(prepare({"b"}));
    session.x.focusRoot();
    ASSERT_FALSE(window.hasFocus());

    const Point pressedAt{150, 200};
    const Point heldAt{150, 120};
    moveBeside(pressedAt);
    input.press(MouseButton::Left);
    moveBeside(heldAt);
    // The read-out follows the pointer in every frame, so seeing it beside the second point
    // means a frame has run with the button held there.
    const auto held = watchScreen(window, [&](const Screenshot& s) {
        return s.count(readoutArea(heldAt), isTextYellow) > 20;
    });
    ASSERT_TRUE(held.met) << "no frame seen with the pointer moved: "
                          << held.last.save(name("held"));
    EXPECT_FALSE(window.hasFocus()) << "the program took the focus";
    ASSERT_EQ(held.last.count(showsCharge), 0)
        << "painted without the focus: " << held.last.save(name("unfocused"));

    window.focus();
    sketch.stamp(node(heldAt), startRadius, +1);
    expectCharge(heldAt, "focused");
    input.release(MouseButton::Left);
    park();
    expectCharge(std::nullopt, "released");
}

TEST_P(Painting, DiscCentredBesideTheWindowStampsItsPartInsideTheGrid) {
    ASSERT_NO_FATAL_FAILURE(prepare({"b"}));
    // Gives the read-out a string, so it can later show where the pointer stands.
    const Point inside{40, 100};
    moveBeside(inside);
    ASSERT_TRUE(watchScreen(window, [&](const Screenshot& s) {
                    return s.count(readoutArea(inside), isTextYellow) > 20;
                }).met);

    // One pixel farther left than the radius reaches: nothing to stamp. The read-out, cut off
    // at the window's left edge, shows that frames ran with the button held there.
    const int reach = startRadius * scale();
    const Point farUpper{-reach - 1, 100};
    const Point farLower{-reach - 1, 180};
    moveBeside(farUpper);
    input.press(MouseButton::Left);
    moveBeside(farLower);
    const auto far = watchScreen(window, [&](const Screenshot& s) {
        return s.count(Area{0, farLower.y + 18, 60, 50}, isTextYellow) > 10;
    });
    ASSERT_TRUE(far.met) << "no frame seen with the pointer beside the window: "
                         << far.last.save(name("far"));
    EXPECT_EQ(far.last.count(showsCharge), 0)
        << "painted from beyond the radius: " << far.last.save(name("far_painted"));
    input.release(MouseButton::Left);

    // A few pixels left of and above the window the disc's centre lies outside the grid;
    // the part inside is stamped.
    stroke({-5, 165}, MouseButton::Left, startRadius, +1, "left_of_window");
    stroke({150, -5}, MouseButton::Left, startRadius, +1, "above_window");
    expectCharge(std::nullopt, "both");
}

INSTANTIATE_TEST_SUITE_P(Scale, Painting, testing::Values(1, 2),
                         [](const auto& info) { return "Scale" + std::to_string(info.param); });

}  // namespace
