// Start-up as a user meets it: the command line, the report on standard output, the window's
// size, place and title, and a clean exit when the window is closed.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "QuelvaneSession.hpp"
#include "TempDir.hpp"
#include "WaitUntil.hpp"

namespace {

using e2e::Point;
using e2e::QuelvaneSession;
using e2e::ScreenSize;
using e2e::Size;
using e2e::waitUntil;

const std::string usageText =
    "Invalid arguments or invalid number of arguments.\n"
    "Arguments are 'scale' or 'scale nogridx nogridy'.\n"
    "Scale = 0 for automatic scale.\n"
    "All arguments has to be integers. Scale has to be nonnegative. Grid sizes have to be "
    "positive.\n\n";

// What the program settles on after reading its command line, and where its window must stand.
// Positions are worked out by hand from the placement rule: centred horizontally on the screen,
// vertically in the screen height less 105 pixels, every halving rounded down.
struct StartupCase {
    std::string name;
    std::vector<std::string> args;
    ScreenSize screen;
    bool rejected;
    int nx;
    int ny;
    int scale;
    Point position;
};

std::string startupReport(const StartupCase& c) {
    return "Domain size: " + std::to_string(c.nx) + "x" + std::to_string(c.ny) +
           "\nDetected video mode: " + std::to_string(c.screen.width) + "x" +
           std::to_string(c.screen.height) + "\nScale set to " + std::to_string(c.scale) +
           ".\nRender area size: " + std::to_string(c.nx * c.scale) + "x" +
           std::to_string(c.ny * c.scale) + "\n";
}

std::string expectedOutput(const StartupCase& c) {
    return "\n" + (c.rejected ? usageText : "") + startupReport(c);
}

constexpr ScreenSize screen960{960, 720};

const StartupCase accepted[] = {
    {"NoArguments", {}, screen960, false, 400, 400, 1, {280, 107}},
    {"ScaleThreeWhateverTheScreen", {"3"}, screen960, false, 400, 400, 3, {-120, -293}},
    {"ScaleThreeOnALargerScreen", {"3"}, {1600, 1000}, false, 400, 400, 3, {200, -153}},
    {"WideGridAutoScaleOne", {"0", "800", "400"}, screen960, false, 800, 400, 1, {80, 107}},
    {"WideGridAutoScaleTwo", {"0", "800", "400"}, {1600, 1000}, false, 800, 400, 2, {0, 47}},
    {"TooWideGridScaleStaysOne", {"0", "900", "100"}, {800, 600}, false, 900, 100, 1, {-50, 197}},
    // The 105 pixels kept free come off the height only: 905 - 105 leaves room for scale 2, one
    // pixel less does not, and the full width is used.
    {"HeightJustEnoughForTwo", {}, {800, 905}, false, 400, 400, 2, {0, 0}},
    {"HeightOnePixelShortOfTwo", {}, {800, 904}, false, 400, 400, 1, {200, 199}},
    {"WidthOnePixelShortOfTwo", {}, {799, 1000}, false, 400, 400, 1, {199, 247}},
    {"LeadingBlank", {" 5"}, screen960, false, 400, 400, 5, {-520, -693}},
    {"TrailingLetters", {"5px"}, screen960, false, 400, 400, 5, {-520, -693}},
    {"PlusSign", {"+5"}, screen960, false, 400, 400, 5, {-520, -693}},
    {"TinyGridLargeAutoScale", {"0", "3", "3"}, screen960, false, 3, 3, 205, {173, 0}},
    // Automatic scale would be 615 here; the display scale holds 8 bits and is held at 255.
    {"OneNodeAutoScaleHeldAt255", {"0", "1", "1"}, screen960, false, 1, 1, 255, {353, 180}},
};

const StartupCase rejected[] = {
    {"NotANumber", {"abc"}, screen960, true, 400, 400, 1, {280, 107}},
    {"EmptyArgument", {""}, screen960, true, 400, 400, 1, {280, 107}},
    {"TwoArguments", {"2", "3"}, screen960, true, 400, 400, 1, {280, 107}},
    {"FourArguments", {"2", "300", "300", "4"}, screen960, true, 400, 400, 1, {280, 107}},
    {"NegativeScale", {"-1"}, screen960, true, 400, 400, 1, {280, 107}},
    {"ScaleBeyond32Bits", {"99999999999"}, screen960, true, 400, 400, 1, {280, 107}},
    {"ScaleBeyond8Bits", {"256"}, screen960, true, 400, 400, 1, {280, 107}},
    {"GridXNotANumber", {"2", "abc", "600"}, screen960, true, 400, 400, 2, {80, -93}},
    {"GridXZero", {"2", "0", "600"}, screen960, true, 400, 400, 2, {80, -93}},
    {"GridXBeyond16Bits", {"1", "70000", "400"}, screen960, true, 400, 400, 1, {280, 107}},
    {"GridYNotANumber", {"2", "600", "x"}, screen960, true, 600, 400, 2, {-120, -93}},
    {"GridYZero", {"2", "600", "0"}, screen960, true, 600, 400, 2, {-120, -93}},
    {"GridYBeyond16Bits", {"1", "300", "70000"}, screen960, true, 300, 400, 1, {330, 107}},
};

void PrintTo(const StartupCase& c, std::ostream* out) {
    *out << c.name;
}

class CommandLine : public testing::TestWithParam<StartupCase> {};

TEST_P(CommandLine, ReportsOpensThePlacedWindowAndExitsCleanlyOnClose) {
    const StartupCase& c = GetParam();
    QuelvaneSession session(c.screen, c.args);
    const auto window = session.waitForWindow();

    EXPECT_EQ(window.size(), (Size{c.nx * c.scale, c.ny * c.scale}));
    // The window library maps the window before the program moves it into place.
    EXPECT_TRUE(waitUntil([&] { return window.position() == c.position; }, std::chrono::seconds(2)))
        << "window stands at " << window.position() << ", expected " << c.position;
    EXPECT_EQ(window.title(), "Quelvane 1.01");

    window.requestClose();
    EXPECT_EQ(session.program.waitForExit(), 0);
    EXPECT_EQ(session.program.output(), expectedOutput(c));
}

INSTANTIATE_TEST_SUITE_P(Accepted, CommandLine, testing::ValuesIn(accepted),
                         [](const auto& info) { return info.param.name; });
INSTANTIATE_TEST_SUITE_P(Rejected, CommandLine, testing::ValuesIn(rejected),
                         [](const auto& info) { return info.param.name; });

// Overlay texts are yellow; the brush outline under the pointer is white and is drawn in every
// frame whatever the font, so seeing it means a whole frame has reached the screen.
bool isTextYellow(e2e::Rgb c) {
    return c.r > 128 && c.g > 128 && c.b < 64;
}
bool isOutlineWhite(e2e::Rgb c) {
    return c.r > 200 && c.g > 200 && c.b > 200;
}

// Yellow pixels of the first frame that shows the brush outline around the pointer.
int textPixelsOnceDrawn(QuelvaneSession& session, const e2e::TopLevelWindow& window) {
    session.input(window).moveTo(200, 200);
    std::optional<e2e::Screenshot> shot;
    const bool drawn = waitUntil([&] {
        shot = window.screenshot();
        return shot->count(isOutlineWhite) > 50;
    });
    EXPECT_TRUE(drawn) << "no brush outline seen; last picture: " << shot->save("no_outline");
    return shot->count(isTextYellow);
}

// The help text alone covers thousands of pixels; without glyphs only stray dots may remain.
constexpr int plentyOfText = 3000;
constexpr int hardlyAnyText = 100;

TEST(Font, TextsAreDrawnWithTheFontOfTheWorkingDirectory) {
    QuelvaneSession session(screen960, {});
    const auto window = session.waitForWindow();
    EXPECT_GT(textPixelsOnceDrawn(session, window), plentyOfText);
    window.requestClose();
    EXPECT_EQ(session.program.waitForExit(), 0);
}

TEST(Font, WithoutTheFontFileTheProgramRunsAndOnlyTheTextsAreMissing) {
    e2e::TempDir emptyDir;
    QuelvaneSession session(screen960, {}, emptyDir.path());
    const auto window = session.waitForWindow();
    EXPECT_EQ(window.size(), (Size{400, 400}));
    EXPECT_LT(textPixelsOnceDrawn(session, window), hardlyAnyText);

    window.requestClose();
    EXPECT_EQ(session.program.waitForExit(), 0);
    EXPECT_EQ(session.program.output(), expectedOutput(accepted[0]));
    EXPECT_TRUE(std::filesystem::is_empty(emptyDir.path())) << "the program wrote files";
}

// Pictures the graphics driver cannot hold as one texture (no driver takes 65535 pixels a side,
// and llvmpipe stops at 16384), the first also far beyond memory: the program must say so in one
// line and stop before any window appears.
struct UnshowableCase {
    std::string name;
    std::vector<std::string> args;
};

void PrintTo(const UnshowableCase& c, std::ostream* out) {
    *out << c.name;
}

const UnshowableCase unshowable[] = {
    {"Grid65535x65535", {"1", "65535", "65535"}},
    {"Grid65535x100", {"1", "65535", "100"}},
    {"Grid100x65535", {"1", "100", "65535"}},
    {"RenderArea20000x20000", {"50"}},
};

class Unshowable : public testing::TestWithParam<UnshowableCase> {};

TEST_P(Unshowable, FailsWithOneLineOnStandardErrorAndNoWindow) {
    QuelvaneSession session(screen960, GetParam().args);

    EXPECT_EQ(session.program.waitForExit(), 1);
    const std::string errors = session.program.errors();
    EXPECT_GT(errors.size(), 1u);
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << "not one line: " << errors;
    EXPECT_EQ(session.x.topLevelMapsSeen(), 0);
}

INSTANTIATE_TEST_SUITE_P(TooLarge, Unshowable, testing::ValuesIn(unshowable),
                         [](const auto& info) { return info.param.name; });

}  // namespace
