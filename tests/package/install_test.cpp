// `cmake --install` as a user runs it: the command it puts into PREFIX/bin starts the program from
// any working directory, with its font, its arguments and its exit status; the menu entry and the
// icon are where a desktop looks for them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "../support/UsageText.hpp"
#include "ChildProcess.hpp"
#include "Command.hpp"
#include "TempDir.hpp"
#include "VirtualDisplay.hpp"
#include "WaitUntil.hpp"
#include "XConnection.hpp"

namespace {

namespace fs = std::filesystem;
using package::fileText;
using package::runCommand;

// One installation for all tests of the suite.
class Installed : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix_ = std::make_unique<e2e::TempDir>();
        const auto result = runCommand(
            {QUELVANE_CMAKE, "--install", QUELVANE_BUILD_DIR, "--prefix", prefix_->path()});
        installOutput_ = result.output + result.errors;
        installed_ = result.exitCode == 0;
    }
    static void TearDownTestSuite() { prefix_.reset(); }
    void SetUp() override {
        ASSERT_TRUE(installed_) << "cmake --install failed:\n" << installOutput_;
    }

    static fs::path prefix() { return prefix_->path(); }

  private:
    static inline std::unique_ptr<e2e::TempDir> prefix_;
    static inline bool installed_ = false;
    static inline std::string installOutput_;
};

bool isExecutable(const fs::path& p) {
    return fs::is_regular_file(p) &&
           (fs::status(p).permissions() & fs::perms::owner_exec) != fs::perms::none;
}

TEST_F(Installed, PutsTheCommandTheProgramAndTheFontInPlace) {
    EXPECT_TRUE(isExecutable(prefix() / "bin/quelvane"));
    EXPECT_TRUE(isExecutable(prefix() / "lib/quelvane/quelvane"));
    // The font is Debian's Liberation Mono, reached under the name the program opens.
    const fs::path font = prefix() / "share/quelvane/courier.ttf";
    ASSERT_TRUE(fs::exists(font)) << font << " is missing or dangles";
    EXPECT_TRUE(fs::equivalent(font, QUELVANE_SYSTEM_FONT));
}

// The launcher is a script: without a shell at the start it could not be executed.
TEST_F(Installed, CommandIsAShellScriptThatStartsTheProgramInItsDataFolder) {
    const std::string script = fileText(prefix() / "bin/quelvane");
    EXPECT_EQ(script.rfind("#!/bin/sh\n", 0), 0u) << script;
    EXPECT_NE(script.find("exec "), std::string::npos) << "the program must replace the shell";
}

std::map<std::string, std::string> desktopEntry(const fs::path& path) {
    std::map<std::string, std::string> keys;
    for (const auto& line : package::lines(fileText(path))) {
        const auto eq = line.find('=');
        if (eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return keys;
}

TEST_F(Installed, MenuEntryStartsTheCommandWithTheIconInTheEducationAndScienceMenus) {
    const fs::path entry = prefix() / "share/applications/quelvane.desktop";
    ASSERT_TRUE(fs::is_regular_file(entry));
    const auto validation = runCommand({"/usr/bin/desktop-file-validate", entry});
    EXPECT_EQ(validation.exitCode, 0) << validation.output << validation.errors;
    EXPECT_EQ(validation.output.find("error"), std::string::npos) << validation.output;

    auto keys = desktopEntry(entry);
    EXPECT_EQ(keys["Type"], "Application");
    EXPECT_EQ(keys["Name"], "Quelvane");
    EXPECT_EQ(keys["Terminal"], "false");
    // The menu runs the command by name from PATH and finds the icon by name in the theme.
    EXPECT_EQ(keys["Exec"], "quelvane");
    EXPECT_TRUE(isExecutable(prefix() / "bin" / keys["Exec"]));
    EXPECT_EQ(keys["Icon"], "quelvane");
    EXPECT_TRUE(fs::is_regular_file(prefix() / "share/icons/hicolor/scalable/apps" /
                                    (keys["Icon"] + ".svg")));
    const std::string categories = ";" + keys["Categories"];
    EXPECT_NE(categories.find(";Education;"), std::string::npos) << categories;
    EXPECT_NE(categories.find(";Science;"), std::string::npos) << categories;
}

TEST_F(Installed, IconIsAScalableVectorDrawing) {
    const std::string svg = fileText(prefix() / "share/icons/hicolor/scalable/apps/quelvane.svg");
    EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_NE(svg.find("viewBox=\"0 0 256 256\""), std::string::npos);
    EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

// ----- the installed command on a screen -----

struct Start {
    std::string name;
    std::vector<std::string> args;
    std::string output;
    e2e::Size window;
};

void PrintTo(const Start& s, std::ostream* out) {
    *out << s.name;
}

// The arguments must reach the program unchanged: an empty argument is one the program rejects,
// and a launcher that lost it would start without the usage text.
const Start starts[] = {
    {"NoArguments",
     {},
     "\nDomain size: 400x400\nDetected video mode: 960x720\nScale set to 1.\n"
     "Render area size: 400x400\n",
     {400, 400}},
    {"GridArguments",
     {"2", "300", "200"},
     "\nDomain size: 300x200\nDetected video mode: 960x720\nScale set to 2.\n"
     "Render area size: 600x400\n",
     {600, 400}},
    {"EmptyArgumentIsPassedOn",
     {""},
     "\n" + usageText +
         "Domain size: 400x400\nDetected video mode: 960x720\nScale set to 1.\n"
         "Render area size: 400x400\n",
     {400, 400}},
};

class InstalledCommand : public Installed, public testing::WithParamInterface<Start> {};

bool isTextYellow(e2e::Rgb c) {
    return c.r > 128 && c.g > 128 && c.b < 64;
}

// The help text alone covers thousands of pixels; a program that did not find its font draws
// hardly any.
constexpr int plentyOfText = 3000;

TEST_P(InstalledCommand, StartedFromAnotherFolderReportsOpensTheWindowWithTextsAndExitsOnClose) {
    const Start& s = GetParam();
    e2e::TempDir elsewhere;
    e2e::TempDir capture;
    e2e::VirtualDisplay display({960, 720});
    e2e::XConnection x(display.name());
    e2e::LaunchPlan plan;
    plan.argv = {(prefix() / "bin/quelvane").string()};
    plan.argv.insert(plan.argv.end(), s.args.begin(), s.args.end());
    plan.display = display.name();
    plan.workDir = elsewhere.path();
    plan.stdoutPath = capture.path() / "stdout";
    plan.stderrPath = capture.path() / "stderr";
    e2e::ChildProcess program(plan);

    std::optional<e2e::WindowId> id;
    e2e::waitUntil(
        [&] {
            return (id = x.findViewable("Quelvane " QUELVANE_VERSION)).has_value() ||
                   !program.running();
        },
        std::chrono::seconds(10));
    ASSERT_TRUE(id) << "no window; stdout:\n"
                    << fileText(plan.stdoutPath) << "\nstderr:\n"
                    << fileText(plan.stderrPath);
    e2e::TopLevelWindow window(x, *id);
    EXPECT_EQ(window.size(), s.window);
    int yellow = 0;
    const bool texts = e2e::waitUntil([&] {
        yellow = window.screenshot().count(isTextYellow);
        return yellow > plentyOfText;
    });
    EXPECT_TRUE(texts) << "only " << yellow << " text pixels: the font was not found";

    window.requestClose();
    EXPECT_EQ(program.waitForExit(std::chrono::seconds(10)), 0);
    EXPECT_EQ(fileText(plan.stdoutPath), s.output);
    EXPECT_TRUE(fs::is_empty(elsewhere.path())) << "the program wrote into the caller's folder";
}

INSTANTIATE_TEST_SUITE_P(Arguments, InstalledCommand, testing::ValuesIn(starts),
                         [](const auto& info) { return info.param.name; });

}  // namespace
