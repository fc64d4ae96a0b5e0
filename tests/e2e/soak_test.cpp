// A soak under random input. The program runs on the default 400 x 400 grid and on grids of
// 1 x 1, 3 x 3 and 7 x 13 nodes, and is driven as a careless person would drive it: every key of
// the key table and many others, keys held until they repeat, both buttons held and dragged over
// and beyond the window, wheel bursts both ways, scenario loads, and parameter edits with the
// largest steps, so that boundary values become huge, infinite and NaN. Throughout it must stay
// alive; after a warm-up its resident memory must stay flat; in the end no sanitizer may have
// reported anything and the close request must end it with status 0.
//
// QUELVANE_SOAK_SECONDS: the whole soak's duration, shared equally by the four grids (20 s by
// default). QUELVANE_SOAK_SEED: the random seed (by default from the clock; every run prints the
// one it used, so a failing run can be repeated).

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "ChildProcess.hpp"
#include "QuelvaneSession.hpp"
#include "WaitUntil.hpp"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr e2e::ScreenSize screen{960, 720};

// The keys of the key table, then others that mean nothing to the program.
const std::vector<std::string> tableKeys{
    "h",    "j",  "k",      "l",           "n",     "o",    "p",     "q",           "v",
    "c",    "m",  "r",      "g",           "b",     "e",    "f",     "bracketleft", "bracketright",
    "Down", "Up", "KP_Add", "KP_Subtract", "Prior", "Next", "Right", "Left"};
const std::vector<std::string> otherKeys{
    "a",         "d",     "apostrophe",  "i",         "s",        "t",         "u",
    "w",         "x",     "y",           "z",         "0",        "1",         "5",
    "9",         "space", "Return",      "Escape",    "Tab",      "BackSpace", "Delete",
    "Home",      "End",   "Insert",      "F1",        "F5",       "F12",       "Shift_L",
    "Control_L", "Alt_L", "Super_L",     "minus",     "plus",     "equal",     "comma",
    "period",    "slash", "KP_Multiply", "KP_Divide", "KP_Enter", "KP_1",      "KP_Decimal",
    "Menu",      "Pause"};

double envNumber(const char* name, double fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtod(text, nullptr) : fallback;
}

// The program started by this test: the child of this process that runs the quelvane binary.
std::optional<pid_t> programPid() {
    const auto binary = std::filesystem::canonical(QUELVANE_BINARY);
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream statFile(entry.path() / "stat");
        std::string stat((std::istreambuf_iterator<char>(statFile)), {});
        // pid (comm) state ppid ...: the name may hold blanks and parentheses, so read after
        // the last ')'.
        const auto close = stat.rfind(')');
        if (close == std::string::npos) continue;
        std::istringstream rest(stat.substr(close + 1));
        std::string state;
        pid_t parent = 0;
        rest >> state >> parent;
        if (parent != ::getpid()) continue;
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path() / "exe", error) == binary) {
            return static_cast<pid_t>(std::stol(name));
        }
    }
    return std::nullopt;
}

// VmRSS of a process in KiB, 0 once it is gone.
long residentKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

// Overlay texts are yellow. Hiding or showing the help texts changes thousands of text pixels in
// the next frame: proof that the program still reads its keys and draws. The pixels that turn to
// text or from it are counted, not the difference of the totals: the help texts push the texts
// stacked below them (the parameter list) off a small window, and the totals may then be nearly
// equal.
bool isTextYellow(e2e::Rgb c) {
    return c.r > 128 && c.g > 128 && c.b < 64;
}

int textPixelsChanged(const e2e::Screenshot& a, const e2e::Screenshot& b) {
    int n = 0;
    for (int y = a.top(); y < a.top() + a.height(); ++y) {
        for (int x = a.left(); x < a.left() + a.width(); ++x) {
            if (b.contains(x, y) && isTextYellow(a.pixel(x, y)) != isTextYellow(b.pixel(x, y))) ++n;
        }
    }
    return n;
}

void expectStillDrawing(e2e::QuelvaneSession& session, const e2e::TopLevelWindow& window,
                        const char* when) {
    // A program that has ended has no window left to look at.
    ASSERT_TRUE(session.program.running()) << "the program ended " << when << "\nstderr:\n"
                                           << session.program.errors();
    const e2e::Screenshot before = window.screenshot();
    session.input(window).key("h");
    int changedPixels = 0;
    const bool changed = e2e::waitUntil(
        [&] {
            if (!session.program.running()) return true;
            changedPixels = textPixelsChanged(before, window.screenshot());
            return changedPixels > 500;
        },
        10s);
    ASSERT_TRUE(session.program.running()) << "the program ended " << when << "\nstderr:\n"
                                           << session.program.errors();
    EXPECT_TRUE(changed) << "no new frame " << when << ": " << changedPixels
                         << " pixels turned to text or from it";
}

bool hasSanitizerReport(const std::string& errors) {
    return errors.find("Sanitizer") != std::string::npos ||
           errors.find("runtime error") != std::string::npos;
}

// Builds one chained xdotool command line out of random actions and counts the input events it
// sends: a key press or release, a button press or release, a pointer move, a wheel click.
class RandomInput {
  public:
    RandomInput(std::mt19937& random, e2e::Point window, e2e::Size size)
        : random_(random), window_(window), size_(size) {}

    std::vector<std::string> args;
    long events = 0;

    void randomAction() {
        switch (pick(0, 9)) {
            case 0:
            case 1:
                tapKeys(pick(1, 6));
                break;
            case 2:
                holdKey(anyKey(), pick(100, 1300));
                break;
            case 3:
            case 4:
                drag();
                break;
            case 5:
                wheelBurst();
                break;
            case 6:
                loadScenario();
                break;
            case 7:
            case 8:
                panelEdit();
                break;
            default:
                moveAround();
                break;
        }
    }

    // Shows the parameter list (hidden at start, first line selected) and drives every
    // parameter to its extremes: the step to its largest exponent, then a few steps on, so the
    // boundary values and multipliers become infinite and the block size the largest int; top
    // and bottom, left and right end with opposite infinities, so the potential turns NaN.
    void extremeEdits() {
        keys({"p", "Down"});
        for (const char* edit : {"KP_Add", "KP_Subtract", "KP_Add", "KP_Subtract"}) {
            stepUp(320);
            repeat(edit, 4);
            keys({"Down"});
        }
        stepUp(12);
        repeat("KP_Add", 3);  // block size beyond the int range: held at the largest int
        keys({"Down", "KP_Subtract", "Down"});
        for (int k = 0; k < 2; ++k) {
            stepUp(45);
            repeat("KP_Add", 4);
            keys({"Down"});
        }
        keys({"q", "v", "v", "n"});
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    const std::string& anyKey() {
        const bool table = pick(0, 1) == 0;
        const auto& list = table ? tableKeys : otherKeys;
        return list[static_cast<std::size_t>(pick(0, static_cast<int>(list.size()) - 1))];
    }

    void keys(const std::vector<std::string>& names) {
        args.insert(args.end(), {"key", "--delay", "0"});
        args.insert(args.end(), names.begin(), names.end());
        events += 2 * static_cast<long>(names.size());
    }

    void repeat(const std::string& name, int times) {
        keys(std::vector<std::string>(static_cast<std::size_t>(times), name));
    }

    void stepUp(int times) { repeat("Prior", times); }

    void tapKeys(int count) {
        std::vector<std::string> names;
        for (int k = 0; k < count; ++k)
            names.push_back(anyKey());
        keys(names);
    }

    void sleepMs(int ms) { args.insert(args.end(), {"sleep", std::to_string(ms / 1000.0)}); }

    // Held past the X server's repeat delay, a key repeats.
    void holdKey(const std::string& name, int ms) {
        args.insert(args.end(), {"keydown", name});
        sleepMs(ms);
        args.insert(args.end(), {"keyup", name});
        events += 2;
    }

    // A screen point over the window or up to half its size beyond it, on the screen.
    void moveSomewhere() {
        const int x = window_.x + pick(-size_.width / 2, size_.width + size_.width / 2);
        const int y = window_.y + pick(-size_.height / 2, size_.height + size_.height / 2);
        args.insert(args.end(), {"mousemove", std::to_string(std::clamp(x, 0, screen.width - 1)),
                                 std::to_string(std::clamp(y, 0, screen.height - 1))});
        ++events;
    }

    void moveAround() {
        for (int k = pick(1, 6); k > 0; --k) {
            moveSomewhere();
            sleepMs(pick(0, 40));
        }
    }

    // One or both buttons held while the pointer wanders over and beyond the window.
    void drag() {
        moveSomewhere();
        std::vector<std::string> buttons;
        switch (pick(0, 2)) {
            case 0:
                buttons = {"1"};
                break;
            case 1:
                buttons = {"3"};
                break;
            default:
                buttons = {"1", "3"};
                break;
        }
        for (const auto& b : buttons)
            args.insert(args.end(), {"mousedown", b});
        moveAround();
        for (const auto& b : buttons)
            args.insert(args.end(), {"mouseup", b});
        events += 2 * static_cast<long>(buttons.size());
    }

    void wheelBurst() {
        const int clicks = pick(1, 40);
        args.insert(args.end(), {"click", "--repeat", std::to_string(clicks), "--delay",
                                 std::to_string(pick(0, 10)), pick(0, 1) == 0 ? "4" : "5"});
        events += 2 * clicks;
    }

    void loadScenario() {
        std::vector<std::string> names(static_cast<std::size_t>(pick(0, 8)),
                                       pick(0, 1) == 0 ? "j" : "k");
        names.push_back("l");
        keys(names);
    }

    // Panel keys in bursts: the list may be shown or hidden, any line selected.
    void panelEdit() {
        static const std::vector<std::string> panelKeys{
            "p", "Down", "Up", "KP_Add", "KP_Subtract", "Prior", "Next", "Right", "Left"};
        const auto& name = panelKeys[static_cast<std::size_t>(pick(0, 8))];
        const bool stepKey = name == "Prior" || name == "Next";
        repeat(name, stepKey ? pick(1, 400) : pick(1, 12));
    }

    std::mt19937& random_;
    e2e::Point window_;
    e2e::Size size_;
};

void runXdotool(const std::string& display, const std::vector<std::string>& args) {
    e2e::LaunchPlan plan;
    plan.argv = {"/usr/bin/xdotool"};
    plan.argv.insert(plan.argv.end(), args.begin(), args.end());
    plan.display = display;
    e2e::ChildProcess xdotool(plan);
    ASSERT_EQ(xdotool.waitForExit(60s), 0) << "xdotool failed";
}

struct SoakCase {
    std::string name;
    std::vector<std::string> args;
};

void PrintTo(const SoakCase& c, std::ostream* out) {
    *out << c.name;
}

const SoakCase soakCases[] = {
    {"Grid400x400", {}},
    {"Grid1x1", {"0", "1", "1"}},
    {"Grid3x3", {"0", "3", "3"}},
    {"Grid7x13", {"0", "7", "13"}},
};

// Resident memory may grow during the warm-up (textures, glyphs, allocator pools) and must then
// stay within this much of where it stood when the warm-up ended.
constexpr long growthBoundKiB = 24 * 1024;

// AddressSanitizer holds freed memory back in a quarantine (256 MiB by default) before reusing
// it, so resident memory climbs until the quarantine is full whatever the program does. For the
// soak's program the quarantine is cut to 16 MiB: still far more than one frame frees, and small
// enough for the memory bound to mean something.
class SmallQuarantine {
  public:
    SmallQuarantine() {
#ifdef QUELVANE_SANITIZED
        const char* options = std::getenv("ASAN_OPTIONS");
        saved_ = options != nullptr ? options : "";
        const std::string added = "quarantine_size_mb=16";
        ::setenv("ASAN_OPTIONS", (saved_->empty() ? added : *saved_ + ":" + added).c_str(), 1);
#endif
    }
    ~SmallQuarantine() {
        if (saved_) ::setenv("ASAN_OPTIONS", saved_->c_str(), 1);
    }
    SmallQuarantine(const SmallQuarantine&) = delete;
    SmallQuarantine& operator=(const SmallQuarantine&) = delete;

  private:
    std::optional<std::string> saved_;  // set only when the options were changed
};

class Soak : public testing::TestWithParam<SoakCase> {};

TEST_P(Soak, StaysAliveCleanAndFlatUnderRandomInput) {
    const SoakCase& c = GetParam();
    const auto duration = std::chrono::duration<double>(envNumber("QUELVANE_SOAK_SECONDS", 20.0) /
                                                        std::size(soakCases));
    const auto seed = static_cast<std::uint32_t>(
        envNumber("QUELVANE_SOAK_SEED",
                  static_cast<double>(Clock::now().time_since_epoch().count() % 4294967296)));
    std::mt19937 random(seed);

    const SmallQuarantine quarantine;
    e2e::QuelvaneSession session(screen, c.args);
    const auto window = session.waitForWindow(30s);
    const auto pid = programPid();
    ASSERT_TRUE(pid.has_value()) << "the program's process was not found";
    ASSERT_TRUE(e2e::waitUntil([&] { return window.hasFocus(); }));
    RandomInput input(random, window.position(), window.size());
    const auto alive = [&](const char* when) {
        ASSERT_TRUE(session.program.running()) << "the program ended " << when << "\nstderr:\n"
                                               << session.program.errors();
    };

    const auto start = Clock::now();
    const auto warmUpEnd = start + duration * 0.4;
    input.extremeEdits();
    runXdotool(session.display.name(), input.args);
    alive("after the extreme parameter edits");
    if (HasFatalFailure()) return;
    expectStillDrawing(session, window, "after the extreme parameter edits");
    if (HasFatalFailure()) return;

    long warmedUp = 0;
    long peak = 0;
    long last = 0;
    long events = input.events;
    while (Clock::now() - start < duration) {
        RandomInput batch(random, window.position(), window.size());
        for (int k = 0; k < 6; ++k)
            batch.randomAction();
        // Without the focus the brush does not paint; give it back now and then after taking it.
        if (random() % 8 == 0) session.x.focusRoot();
        runXdotool(session.display.name(), batch.args);
        if (!window.hasFocus()) window.focus();
        events += batch.events;
        alive("under random input");
        if (HasFatalFailure()) return;
        last = residentKiB(*pid);
        if (Clock::now() >= warmUpEnd) {
            if (warmedUp == 0) warmedUp = last;
            peak = std::max(peak, last);
        }
    }

    expectStillDrawing(session, window, "at the end of the soak");
    window.requestClose();
    const auto exitCode = session.program.waitForExit(60s);
    const std::string errors = session.program.errors();
    EXPECT_FALSE(hasSanitizerReport(errors)) << errors;
    EXPECT_EQ(exitCode, 0) << errors;

    const auto seconds = std::chrono::duration<double>(Clock::now() - start).count();
    std::cout << "soak: " << c.name << ": " << events << " events in " << seconds << " s (seed "
              << seed << "); resident memory after warm-up " << warmedUp / 1024 << " MiB, peak "
              << peak / 1024 << " MiB, final " << last / 1024 << " MiB, bound +"
              << growthBoundKiB / 1024 << " MiB" << std::endl;
    ASSERT_GT(warmedUp, 0) << "no memory sample after the warm-up";
    EXPECT_LE(peak, warmedUp + growthBoundKiB) << "resident memory grew after the warm-up";
}

INSTANTIATE_TEST_SUITE_P(RandomInput, Soak, testing::ValuesIn(soakCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
