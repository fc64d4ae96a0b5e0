// The keyboard as a user meets it: choosing and loading scenarios, switching to the potential,
// hiding the help, editing a boundary value in the parameter list, a key without a binding, and
// closing the window. Checked on the pixels of the window.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <optional>
#include <sstream>
#include <string>
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

constexpr Rgb black{0, 0, 0};
constexpr Rgb red{255, 0, 0};

// A 50 x 100 grid at scale 4: a 200 x 400 window at (100, 47). Its rows between the top-right
// texts and the bottom lines are free of overlay texts once the help is hidden, and they hold
// every row of charge the scenarios below place on this grid.
constexpr ScreenSize tallScreen{400, 600};
const std::vector<std::string> tallGrid{"4", "50", "100"};
constexpr int tallScale = 4;
constexpr int tallNx = 50;
constexpr int tallNy = 100;
const Area tallBand{0, 80, 200, 276};
const Area tallHelp{20, 80, 180, 270};          // filled by the help text while it is shown
const Area tallFps{90, 0, 110, 48};             // the frame rate, which changes every second
const Area tallPanel{20, 135, 180, 190};        // the parameter list above the brush line
const Area tallLeftEdge{0, 0, tallScale, 356};  // column 0, clear of texts down to the bottom lines

bool showsColour(Rgb c) {
    return c.r != c.g || (c.b != 0 && c.b != c.r);
}

// The colour map of both layers for a value normalised to 0 ... 1: blue below the middle, black
// at it, red above; every channel truncated toward zero.
Rgb blueRed(double t) {
    const int b = t < 0.5 ? static_cast<int>((1.0 - (t + t)) * 255.0) : 0;
    const int r = t > 0.5 ? static_cast<int>((t - 0.5) * 510.0) : 0;
    return {static_cast<std::uint8_t>(r), 0, static_cast<std::uint8_t>(b)};
}

// Red counts up, blue counts down: one number per colour of the map.
int signedIntensity(Rgb c) {
    return c.r - c.b;
}

// The charge a scenario builds, node by node, with the brush's arithmetic for its soft discs.
class ChargeModel {
  public:
    ChargeModel(int nx, int ny) : nx_(nx), ny_(ny), v_(static_cast<std::size_t>(nx * ny), 0.0) {}

    void set(int i, int j, double value) { v_[index(i, j)] = value; }

    // Adds weight * density * 0.05 to every node of the disc, the weight falling from 1 at the
    // centre toward the rim; then clamps to -1 ... 1, or, for the eraser, toward zero.
    void softStamp(int cx, int cy, int r, double density, bool eraser) {
        for (int i = std::max(cx - r, 0); i <= std::min(cx + r, nx_ - 1); ++i) {
            for (int j = std::max(cy - r, 0); j <= std::min(cy + r, ny_ - 1); ++j) {
                const int di = i - cx;
                const int dj = j - cy;
                if (di * di + dj * dj > r * r) continue;
                const double w = std::sqrt(1.0 - static_cast<double>(dj * dj + di * di) /
                                                     static_cast<double>((r + 1) * (r + 1)));
                double& v = v_[index(i, j)];
                v = v + w * (density * 0.05);
                if (!eraser) {
                    if (v > 1.0) v = 1.0;
                    if (v < -1.0) v = -1.0;
                } else {
                    v = density > 0 ? std::min(v, 0.0) : std::max(v, 0.0);
                }
            }
        }
    }

    Rgb colour(int i, int j) const { return blueRed((v_[index(i, j)] - -1.0) / (1.0 - -1.0)); }

  private:
    std::size_t index(int i, int j) const { return static_cast<std::size_t>(i * ny_ + j); }

    int nx_;
    int ny_;
    std::vector<double> v_;
};

// Two plates across the whole width, five rows thick, positive above.
ChargeModel infiniteCapacitor(int nx, int ny) {
    ChargeModel m(nx, ny);
    for (int i = 0; i < nx; ++i) {
        for (int k = 0; k < 5; ++k) {
            m.set(i, ny / 2 - ny / 4 + k, 1.0);
            m.set(i, ny / 2 + ny / 4 + k, -1.0);
        }
    }
    return m;
}

// Two short plates close together around the middle, three rows thick.
ChargeModel finiteCapacitor(int nx, int ny) {
    ChargeModel m(nx, ny);
    for (int i = nx / 2 - nx / 5; i < nx / 2 + nx / 5; ++i) {
        for (int k = 0; k < 3; ++k) {
            m.set(i, ny / 2 - ny / 12 + k, 1.0);
            m.set(i, ny / 2 + ny / 12 + k, -1.0);
        }
    }
    return m;
}

// A full positive disc, then an eraser disc of three quarters the radius: a positive ring
// around an uncharged centre.
ChargeModel chargedShell(int nx, int ny) {
    ChargeModel m(nx, ny);
    const int r = std::min(nx, ny) / 4;
    m.softStamp(nx / 2, ny / 2, r, 20.0, false);
    m.softStamp(nx / 2, ny / 2, 3 * r / 4, -25.0, true);
    return m;
}

// One program with its window, the input devices and a place to park the pointer.
class Sandbox {
  public:
    Sandbox(ScreenSize screen, const std::vector<std::string>& args, std::string name)
        : session(screen, args),
          window(session.waitForWindow()),
          input(session.input(window)),
          name_(std::move(name)) {}

    // Waits for a first frame with the help drawn, then moves the pointer far from the window,
    // where neither its read-out nor the brush outline can reach the picture.
    void start(Area helpArea) {
        ASSERT_TRUE(e2e::waitUntil([&] { return window.hasFocus(); }));
        const auto drawn = watchScreen(
            window, [&](const Screenshot& s) { return s.count(helpArea, isTextYellow) > 300; });
        ASSERT_TRUE(drawn.met) << "no help text seen: " << save(drawn.last, "start");
        input.moveToScreen(0, 0);
    }

    void keys(const std::vector<std::string>& keys) {
        for (const auto& k : keys)
            input.key(k);
    }

    // Presses the keys and then 'h'; the help vanishing shows that all keys have been taken.
    void keysThenHideHelp(std::vector<std::string> keys, Area helpArea) {
        keys.push_back("h");
        this->keys(keys);
        const auto hidden = watchScreen(
            window, [&](const Screenshot& s) { return s.count(helpArea, isTextYellow) == 0; });
        ASSERT_TRUE(hidden.met) << "help still shown: " << save(hidden.last, "help");
    }

    std::string save(const Screenshot& shot, const std::string& what) const {
        return shot.save("keys_" + name_ + "_" + what).string();
    }

    e2e::QuelvaneSession session;
    e2e::TopLevelWindow window;
    e2e::UserInput input;

  private:
    std::string name_;
};

// Pixels of the tall window's text-free band that differ from the charge model.
int chargeMismatches(const Screenshot& shot, const ChargeModel& model, std::string* first) {
    int n = 0;
    for (int y = tallBand.top; y < tallBand.top + tallBand.height; ++y) {
        for (int x = tallBand.left; x < tallBand.left + tallBand.width; ++x) {
            const Rgb want = model.colour(x / tallScale, y / tallScale);
            const Rgb got = shot.pixel(x, y);
            if (got == want) continue;
            if (n++ == 0 && first) {
                std::ostringstream out;
                out << "pixel (" << x << "," << y << ") is " << got << ", expected " << want;
                *first = out.str();
            }
        }
    }
    return n;
}

void expectChargeLayer(Sandbox& app, const ChargeModel& model, const std::string& what) {
    const auto watch = watchScreen(
        app.window, [&](const Screenshot& s) { return chargeMismatches(s, model, nullptr) == 0; });
    std::string first;
    const int n = chargeMismatches(watch.last, model, &first);
    EXPECT_TRUE(watch.met) << what << ": " << n << " pixels differ, " << first
                           << "; picture: " << app.save(watch.last, what);
}

TEST(ScenarioKeys, LLoadsTheShownScenarioAndJAndKStepThroughThemWrappingAround) {
    Sandbox app(tallScreen, tallGrid, "scenarios");
    ASSERT_NO_FATAL_FAILURE(app.start(tallHelp));
    ASSERT_NO_FATAL_FAILURE(app.keysThenHideHelp({"o", "v"}, tallHelp));
    expectChargeLayer(app, ChargeModel(tallNx, tallNy), "empty");

    // At start the selection reads "#1 Infinite capacitor".
    app.keys({"l"});
    expectChargeLayer(app, infiniteCapacitor(tallNx, tallNy), "first");
    // Back from the first scenario to the seventh, "Charged shell"; loading replaces the plates.
    app.keys({"j", "l"});
    expectChargeLayer(app, chargedShell(tallNx, tallNy), "seventh");
    // And forward from the seventh to the first and on to the second.
    app.keys({"k", "l"});
    expectChargeLayer(app, infiniteCapacitor(tallNx, tallNy), "first_again");
    app.keys({"k", "l"});
    expectChargeLayer(app, finiteCapacitor(tallNx, tallNy), "second");
}

// Colours one level apart. The largest value of the potential is shown as exactly 255; the
// columns of a relaxed potential may differ in the last bits, which can truncate to 254.
bool nearlyEqual(Rgb a, Rgb b) {
    return std::abs(a.r - b.r) <= 1 && a.g == b.g && std::abs(a.b - b.b) <= 1;
}

// What is wrong with a picture of the infinite capacitor's potential, if anything: it must be
// the same along every row, and fall linearly from red at the top plate through black to blue
// at the bottom plate.
std::vector<std::string> capacitorPotentialFaults(const Screenshot& shot) {
    std::vector<std::string> faults;
    for (int y = tallBand.top; y < tallBand.top + tallBand.height; ++y) {
        for (int x = 1; x < tallBand.width; ++x) {
            if (!nearlyEqual(shot.pixel(x, y), shot.pixel(0, y))) {
                std::ostringstream out;
                out << "row " << y << " is not uniform: " << shot.pixel(0, y) << " at x = 0, "
                    << shot.pixel(x, y) << " at x = " << x;
                faults.push_back(out.str());
                return faults;
            }
        }
    }
    // Node rows strictly between the plates (25 ... 29 and 75 ... 79 on this grid).
    std::vector<int> level;
    for (int j = 30; j <= 74; ++j)
        level.push_back(signedIntensity(shot.pixel(100, j * tallScale)));
    if (level.front() <= 0 || level.back() >= 0) {
        faults.push_back("not red below the top plate and blue above the bottom plate: " +
                         std::to_string(level.front()) + " ... " + std::to_string(level.back()));
    }
    for (std::size_t k = 1; k < level.size(); ++k) {
        if (level[k] > level[k - 1]) {
            faults.push_back("rises between node rows " + std::to_string(29 + k) + " and " +
                             std::to_string(30 + k));
        }
    }
    // A least-squares line; truncation to whole colour levels leaves less than one level.
    const double n = static_cast<double>(level.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t k = 0; k < level.size(); ++k) {
        const double x = static_cast<double>(k);
        sx += x;
        sy += level[k];
        sxx += x * x;
        sxy += x * level[k];
    }
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    const double offset = (sy - slope * sx) / n;
    for (std::size_t k = 0; k < level.size(); ++k) {
        const double off = level[k] - (offset + slope * static_cast<double>(k));
        if (std::abs(off) > 2.0) {
            faults.push_back("not linear: node row " + std::to_string(30 + k) + " is " +
                             std::to_string(off) + " levels off the line");
        }
    }
    return faults;
}

TEST(LayerKey, QShowsThePotentialOfTheInfiniteCapacitorAndBack) {
    Sandbox app(tallScreen, tallGrid, "potential");
    ASSERT_NO_FATAL_FAILURE(app.start(tallHelp));
    ASSERT_NO_FATAL_FAILURE(app.keysThenHideHelp({"o", "v", "l"}, tallHelp));
    const ChargeModel plates = infiniteCapacitor(tallNx, tallNy);
    expectChargeLayer(app, plates, "charge");

    app.keys({"q"});
    // The potential relaxes frame by frame; wait until it has settled into the picture of the
    // solution.
    const auto settled = watchScreen(
        app.window, [](const Screenshot& s) { return capacitorPotentialFaults(s).empty(); },
        std::chrono::seconds(30));
    const auto faults = capacitorPotentialFaults(settled.last);
    EXPECT_TRUE(settled.met) << faults.size()
                             << " faults, first: " << (faults.empty() ? "" : faults.front())
                             << "; picture: " << app.save(settled.last, "not_settled");
    app.save(settled.last, "infinite_capacitor_potential");

    app.keys({"q"});
    expectChargeLayer(app, plates, "charge_again");
}

TEST(HelpKey, HidesAndShowsTheThreeHelpTextsOnly) {
    // A 600 x 600 window leaves the three texts at the top left apart from those at the top
    // right: the help from y = 20, the scenario keys from y = 290, the selected scenario at
    // y = 360; the frame rate and the loaded scenario's name at the right.
    Sandbox app({800, 800}, {"2", "300", "300"}, "help");
    const Area help{0, 0, 380, 285};
    const Area scenarioKeys{0, 285, 380, 70};
    const Area selected{0, 355, 380, 45};
    const Area frameRate{470, 0, 130, 48};
    const Area loadedName{430, 48, 170, 28};
    const Area panel{0, 400, 600, 150};
    const Area bottomLines{0, 555, 600, 45};
    ASSERT_NO_FATAL_FAILURE(app.start(help));
    app.keys({"l", "q"});

    const auto all = [&](const Screenshot& s) {
        return s.count(help, isTextYellow) > 1000 && s.count(scenarioKeys, isTextYellow) > 200 &&
               s.count(selected, isTextYellow) > 100 && s.count(frameRate, isTextYellow) > 20 &&
               s.count(loadedName, isTextYellow) > 100 && s.count(bottomLines, isTextYellow) > 200;
    };
    const auto shown = watchScreen(app.window, all);
    ASSERT_TRUE(shown.met) << "not all texts seen: " << app.save(shown.last, "shown");
    // For people: the loaded capacitor's potential with the field and all texts.
    app.save(shown.last, "infinite_capacitor_potential_with_texts");
    EXPECT_EQ(shown.last.count(panel, isTextYellow), 0);

    app.keys({"h"});
    const auto hidden = watchScreen(app.window, [&](const Screenshot& s) {
        return s.count(Area{0, 0, 380, 400}, isTextYellow) == 0;
    });
    EXPECT_TRUE(hidden.met) << "help texts still shown: " << app.save(hidden.last, "hidden");
    EXPECT_GT(hidden.last.count(frameRate, isTextYellow), 20);
    EXPECT_GT(hidden.last.count(loadedName, isTextYellow), 100);
    EXPECT_GT(hidden.last.count(bottomLines, isTextYellow), 200);
    EXPECT_EQ(hidden.last.count(panel, isTextYellow), 0);

    app.keys({"h"});
    const auto back = watchScreen(app.window, all);
    EXPECT_TRUE(back.met) << "texts not back: " << app.save(back.last, "back");
    EXPECT_EQ(back.last.count(panel, isTextYellow), 0);
}

TEST(ParameterPanel, KeypadPlusOnTheLeftBoundaryValueTurnsTheLeftEdgeOfThePotentialRed) {
    Sandbox app(tallScreen, tallGrid, "panel");
    ASSERT_NO_FATAL_FAILURE(app.start(tallHelp));
    ASSERT_NO_FATAL_FAILURE(app.keysThenHideHelp({"o", "v", "q"}, tallHelp));

    // While the list is hidden its keys do nothing; 'p' then shows it.
    app.keys({"Down", "Down", "Down", "KP_Add", "p"});
    const auto listed = watchScreen(
        app.window, [](const Screenshot& s) { return s.count(tallPanel, isTextYellow) > 500; });
    ASSERT_TRUE(listed.met) << "no parameter list: " << app.save(listed.last, "no_list");
    EXPECT_EQ(listed.last.count(showsColour), 0)
        << "the potential changed: " << app.save(listed.last, "hidden_keys");

    // The fourth line, "Left boundary value", from 0 to 1: the left column holds the largest
    // potential, full red; the grid's interior stays below it.
    app.keys({"Down", "Down", "Down", "KP_Add"});
    const auto raised = watchScreen(app.window, [](const Screenshot& s) {
        return s.count(tallLeftEdge, [](Rgb c) { return c == red; }) ==
               tallLeftEdge.width * tallLeftEdge.height;
    });
    EXPECT_TRUE(raised.met) << "left edge at " << raised.last.pixel(0, 200)
                            << "; picture: " << app.save(raised.last, "left_edge");
    const Rgb next = raised.last.pixel(tallScale, 200);
    EXPECT_TRUE(next.r > 0 && next.r < 255 && next.g == 0 && next.b == 0)
        << "next column at " << next;
    EXPECT_EQ(raised.last.pixel(199, 200), black) << "right edge";
}

TEST(UnboundKey, EscapeChangesNothing) {
    Sandbox app(tallScreen, tallGrid, "escape");
    ASSERT_NO_FATAL_FAILURE(app.start(tallHelp));
    app.keys({"o", "v", "l"});
    // The plates show left of the help text; the help is still shown.
    const auto loaded = watchScreen(app.window, [](const Screenshot& s) {
        return s.pixel(2, 26 * tallScale) == red && s.pixel(2, 76 * tallScale) == Rgb{0, 0, 255};
    });
    ASSERT_TRUE(loaded.met) << app.save(loaded.last, "not_loaded");
    // Everything but the frame rate stands still from here on.
    const Area wholeWindow{0, 0, 200, 400};
    const auto unchangedFrom = [wholeWindow](const Screenshot& base) {
        return [wholeWindow, base = &base](const Screenshot& s) {
            return e2e::differingPixels(*base, s, wholeWindow) ==
                   e2e::differingPixels(*base, s, tallFps);
        };
    };
    const Screenshot before = app.window.screenshot();
    const auto steady = watchScreen(app.window, unchangedFrom(before));
    ASSERT_TRUE(steady.met);

    // Keys are taken in order: once 'h' has hidden the help, Escape has been handled; the
    // second 'h' brings the help back. A program that ended on Escape took its window along,
    // and no picture can be taken any more.
    app.keys({"Escape", "h"});
    const auto helpHiddenOrEnded = [&] {
        try {
            return !app.session.program.running() ||
                   app.window.screenshot().count(tallHelp, isTextYellow) == 0;
        } catch (const std::exception&) {
            return !app.session.program.running();
        }
    };
    ASSERT_TRUE(e2e::waitUntil(helpHiddenOrEnded)) << "help still shown";
    ASSERT_TRUE(app.session.program.running()) << "Escape ended the program";
    app.keys({"h"});
    const auto after = watchScreen(app.window, unchangedFrom(steady.last));
    EXPECT_TRUE(after.met) << e2e::differingPixels(steady.last, after.last, wholeWindow)
                           << " pixels changed: " << app.save(after.last, "after");
    EXPECT_TRUE(app.session.program.running());
}

TEST(Closing, CloseRequestAfterUseEndsTheProgramWithStatusZero) {
    Sandbox app(tallScreen, tallGrid, "close");
    ASSERT_NO_FATAL_FAILURE(app.start(tallHelp));
    app.keys({"l", "q", "p"});
    const auto listed = watchScreen(
        app.window, [](const Screenshot& s) { return s.count(tallPanel, isTextYellow) > 500; });
    ASSERT_TRUE(listed.met);

    app.window.requestClose();
    EXPECT_EQ(app.session.program.waitForExit(), 0);
    EXPECT_FALSE(app.session.x.findViewable(e2e::windowTitle).has_value());
}

TEST(Closing, CloseRequestWhilePaintingEndsTheProgramWithStatusZero) {
    Sandbox app(tallScreen, tallGrid, "close_painting");
    ASSERT_NO_FATAL_FAILURE(app.start(tallHelp));
    ASSERT_NO_FATAL_FAILURE(app.keysThenHideHelp({"o", "v"}, tallHelp));
    app.input.moveTo(100, 200);
    app.input.press(MouseButton::Left);
    const auto painting =
        watchScreen(app.window, [](const Screenshot& s) { return s.pixel(100, 200).r > 0; });
    ASSERT_TRUE(painting.met) << "no charge painted: " << app.save(painting.last, "painting");

    app.window.requestClose();
    EXPECT_EQ(app.session.program.waitForExit(), 0);
    app.input.release(MouseButton::Left);
}

}  // namespace
