// Start-up as a user meets it: the command line, the report on standard output, the window's
// size, place and title, and a clean exit when the window is closed.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "../support/UsageText.hpp"
#include "ChildProcess.hpp"
#include "QuelvaneSession.hpp"
#include "TempDir.hpp"
#include "WaitUntil.hpp"

namespace {

using e2e::Point;
using e2e::QuelvaneSession;
using e2e::ScreenSize;
using e2e::Size;
using e2e::waitUntil;

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
    // Render areas larger than the screen still open, partly off the screen.
    {"Scale255RenderAreaTallerThanScreen",
     {"255", "3", "3"},
     screen960,
     false,
     3,
     3,
     255,
     {98, -75}},
    {"Scale255RenderAreaBeyondScreen",
     {"255", "8", "8"},
     screen960,
     false,
     8,
     8,
     255,
     {-540, -713}},
    {"Scale255RenderAreaNearDriverLimit",
     {"255", "64", "1"},
     screen960,
     false,
     64,
     1,
     255,
     {-7680, 180}},
    // Grids at the graphics driver's largest texture side, 16384 nodes.
    {"WidestGridTheDriverShows", {"0", "16384", "1"}, screen960, false, 16384, 1, 1, {-7712, 307}},
    {"TallestGridTheDriverShows", {"0", "1", "16384"}, screen960, false, 1, 16384, 1, {480, -7885}},
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
    {"GridXJustBeyond16Bits", {"1", "65536", "400"}, screen960, true, 400, 400, 1, {280, 107}},
    {"GridYJustBeyond16Bits", {"1", "300", "65536"}, screen960, true, 300, 400, 1, {330, 107}},
    // A rejected scale keeps every later argument from being read: all defaults.
    {"Scale256WithTinyGrid", {"256", "3", "3"}, screen960, true, 400, 400, 1, {280, 107}},
    {"Scale1000WithSmallGrid", {"1000", "7", "13"}, screen960, true, 400, 400, 1, {280, 107}},
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
    EXPECT_EQ(window.title(), e2e::windowTitle);

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

// An unreadable courier.ttf in the working directory: the program starts, runs and ends as
// without a font file. Where the file fails before any glyph is made, no text is drawn; a file
// that looks like a font at first may fail later, and must not harm the program either.
struct BadFontCase {
    std::string name;
    void (*make)(const std::filesystem::path& font);
    bool textsMissing;
};

void PrintTo(const BadFontCase& c, std::ostream* out) {
    *out << c.name;
}

std::string garbage(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random() & 0xff);
    return bytes;
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string realFontStart(std::size_t size) {
    std::ifstream in(e2e::buildDir() / "courier.ttf", std::ios::binary);
    std::string bytes(size, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(size));
    return bytes;
}

const BadFontCase badFonts[] = {
    {"Directory", [](const auto& font) { std::filesystem::create_directory(font); }, true},
    {"EmptyFile", [](const auto& font) { writeFile(font, ""); }, true},
    {"GarbageBytes", [](const auto& font) { writeFile(font, garbage(65536, 1)); }, true},
    {"TrueTypeTagThenGarbage",
     [](const auto& font) { writeFile(font, std::string("\0\1\0\0", 4) + garbage(65536, 2)); },
     false},
    {"RealFontCutShort", [](const auto& font) { writeFile(font, realFontStart(20000)); }, false},
};

class UnreadableFont : public testing::TestWithParam<BadFontCase> {};

TEST_P(UnreadableFont, TheProgramRunsAndEndsCleanly) {
    e2e::TempDir dir;
    GetParam().make(dir.path() / "courier.ttf");
    QuelvaneSession session(screen960, {}, dir.path());
    const auto window = session.waitForWindow();
    EXPECT_EQ(window.size(), (Size{400, 400}));
    const int textPixels = textPixelsOnceDrawn(session, window);
    if (GetParam().textsMissing) {
        EXPECT_LT(textPixels, hardlyAnyText);
    }

    window.requestClose();
    EXPECT_EQ(session.program.waitForExit(), 0) << session.program.errors();
    EXPECT_EQ(session.program.output(), expectedOutput(accepted[0]));
}

INSTANTIATE_TEST_SUITE_P(CourierTtf, UnreadableFont, testing::ValuesIn(badFonts),
                         [](const auto& info) { return info.param.name; });

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
    {"Grid65535x65535", {"1", "65535", "65535"}}, {"Grid65535x100", {"1", "65535", "100"}},
    {"Grid100x65535", {"1", "100", "65535"}},     {"RenderArea20000x20000", {"50"}},
    {"Grid1x65535", {"1", "1", "65535"}},         {"Grid65535x1", {"1", "65535", "1"}},
    {"Grid16385x1", {"0", "16385", "1"}},         {"RenderArea16575x16575", {"255", "65", "65"}},
    {"RenderArea16575x255", {"255", "65", "1"}},
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

// A machine without the memory for a grid the driver could show: the program must say so in one
// line and stop before any window appears. An address-space limit stands in for the small
// machine; a sanitized binary reserves terabytes of address space for its shadow memory and
// cannot start under any such limit, so this runs against the plain binary only.
#ifndef QUELVANE_SANITIZED
TEST(Memory, AGridBeyondTheMemoryFailsWithOneLineAndNoWindow) {
    e2e::VirtualDisplay display(screen960);
    e2e::XConnection x(display.name());
    e2e::TempDir capture;
    e2e::LaunchPlan plan;
    // 1.5 GiB: room for the program and its graphics driver, not for 2 GiB of charge alone.
    plan.argv = {"/usr/bin/prlimit", "--as=1610612736", QUELVANE_BINARY, "1", "16384", "16384"};
    plan.display = display.name();
    plan.workDir = e2e::buildDir();
    plan.stdoutPath = capture.path() / "stdout";
    plan.stderrPath = capture.path() / "stderr";
    e2e::ChildProcess program(plan);

    EXPECT_EQ(program.waitForExit(std::chrono::seconds(60)), 1);
    std::ifstream errors(capture.path() / "stderr");
    const std::string text((std::istreambuf_iterator<char>(errors)), {});
    EXPECT_EQ(text, "quelvane: cannot start: not enough memory for a grid of 16384x16384 nodes\n");
    EXPECT_EQ(x.topLevelMapsSeen(), 0);
}
#endif

}  // namespace
