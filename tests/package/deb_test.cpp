// `cpack -G DEB` as a packager runs it: the control fields a Debian system reads, dependencies on
// runtime packages only, and exactly the files of the installed program.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "Command.hpp"
#include "TempDir.hpp"

namespace {

namespace fs = std::filesystem;
using package::lines;
using package::runCommand;

const char* const dpkgDeb = "/usr/bin/dpkg-deb";
const std::string metainfoName = QUELVANE_APPSTREAM_ID ".metainfo.xml";

// One package for all tests of the suite, built into a temporary folder.
class DebPackage : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<e2e::TempDir>();
        const fs::path config = fs::path(QUELVANE_BUILD_DIR) / "CPackConfig.cmake";
        const auto result =
            runCommand({QUELVANE_CPACK, "-G", "DEB", "--config", config, "-B", folder_->path()},
                       QUELVANE_BUILD_DIR);
        log_ = result.output + result.errors;
        if (result.exitCode != 0) return;
        for (const auto& entry : fs::directory_iterator(folder_->path())) {
            if (entry.path().extension() == ".deb") debs_.push_back(entry.path());
        }
    }
    static void TearDownTestSuite() { folder_.reset(); }
    void SetUp() override { ASSERT_EQ(debs_.size(), 1u) << "cpack made no single .deb:\n" << log_; }

    static const fs::path& deb() { return debs_.front(); }
    static std::string field(const std::string& name) {
        const auto r = runCommand({dpkgDeb, "-f", deb(), name});
        EXPECT_EQ(r.exitCode, 0) << r.errors;
        return r.output.empty() ? "" : r.output.substr(0, r.output.find_last_not_of('\n') + 1);
    }

  private:
    static inline std::unique_ptr<e2e::TempDir> folder_;
    static inline std::vector<fs::path> debs_;
    static inline std::string log_;
};

std::string hostArchitecture() {
    const auto r = runCommand({"/usr/bin/dpkg", "--print-architecture"});
    return r.output.substr(0, r.output.find('\n'));
}

TEST_F(DebPackage, ControlFieldsNameTheProgramItsVersionAndSection) {
    EXPECT_EQ(deb().filename().string(),
              "quelvane_" + std::string(QUELVANE_VERSION) + "_" + hostArchitecture() + ".deb");
    EXPECT_EQ(field("Package"), "quelvane");
    EXPECT_EQ(field("Version"), QUELVANE_VERSION);
    EXPECT_EQ(field("Architecture"), hostArchitecture());
    EXPECT_EQ(field("Section"), "science");
    EXPECT_NE(field("Maintainer").find('@'), std::string::npos);
    const auto description = lines(field("Description"));
    ASSERT_GE(description.size(), 2u) << "a summary line and a long description";
    for (const auto& line : description)
        EXPECT_LE(line.size(), 80u) << line;
}

// "libfoo (>= 1.0), bar" -> {"libfoo", "bar"}
std::set<std::string> packageNames(const std::string& depends) {
    std::set<std::string> names;
    std::size_t start = 0;
    while (start < depends.size()) {
        std::size_t end = depends.find(',', start);
        if (end == std::string::npos) end = depends.size();
        std::string item = depends.substr(start, end - start);
        item.erase(0, item.find_first_not_of(' '));
        names.insert(item.substr(0, item.find_first_of(" (")));
        start = end + 1;
    }
    return names;
}

TEST_F(DebPackage, DependsOnTheSfmlRuntimeAndTheFontAndOnNothingOfTheBuild) {
    const auto names = packageNames(field("Depends"));
    for (const char* needed :
         {"libsfml-graphics2.5", "libsfml-window2.5", "libsfml-system2.5", "fonts-liberation2"}) {
        EXPECT_TRUE(names.count(needed)) << needed << " missing from " << field("Depends");
    }
    const std::set<std::string> buildOnly{"cmake",           "g++",        "gcc",
                                          "build-essential", "pkg-config", "xvfb",
                                          "xdotool",         "dpkg-dev",   "libgtest-dev"};
    for (const auto& name : names) {
        EXPECT_FALSE(name.ends_with("-dev")) << name;
        EXPECT_FALSE(buildOnly.count(name)) << name;
        // Everything else must be a shared library's runtime package, found by dpkg-shlibdeps.
        EXPECT_TRUE(name == "fonts-liberation2" || name.starts_with("lib")) << name;
    }
}

// dpkg-deb -c lists "perms owner/group size date time ./path[ -> target]".
struct Entry {
    std::string perms;
    std::string target;  // of a symbolic link
};

std::map<std::string, Entry> fileList(const fs::path& deb) {
    const auto r = runCommand({dpkgDeb, "-c", deb});
    EXPECT_EQ(r.exitCode, 0) << r.errors;
    std::map<std::string, Entry> files;
    for (const auto& line : lines(r.output)) {
        const auto path = line.find(" ./");
        if (path == std::string::npos || line[0] == 'd') continue;
        const auto arrow = line.find(" -> ", path);
        const std::string name = line.substr(
            path + 2, arrow == std::string::npos ? std::string::npos : arrow - path - 2);
        files[name] = {line.substr(0, 10),
                       arrow == std::string::npos ? "" : line.substr(arrow + 4)};
    }
    return files;
}

TEST_F(DebPackage, HoldsExactlyTheProgramItsDataAndItsDocumentation) {
    const auto files = fileList(deb());
    std::set<std::string> names;
    for (const auto& [name, entry] : files)
        names.insert(name);
    EXPECT_EQ(names, (std::set<std::string>{
                         "/usr/bin/quelvane", "/usr/lib/quelvane/quelvane",
                         "/usr/share/quelvane/courier.ttf",
                         "/usr/share/applications/quelvane.desktop",
                         "/usr/share/icons/hicolor/scalable/apps/quelvane.svg",
                         "/usr/share/doc/quelvane/copyright", "/usr/share/doc/quelvane/changelog.gz",
                         "/usr/share/man/man1/quelvane.1.gz", "/usr/share/metainfo/" + metainfoName}));
    const auto perms = [&](const char* name) {
        return files.count(name) ? files.at(name).perms : std::string("(missing)");
    };
    EXPECT_EQ(perms("/usr/bin/quelvane"), "-rwxr-xr-x");
    EXPECT_EQ(perms("/usr/lib/quelvane/quelvane"), "-rwxr-xr-x");
    EXPECT_EQ(perms("/usr/share/applications/quelvane.desktop"), "-rw-r--r--");
    ASSERT_TRUE(files.count("/usr/share/quelvane/courier.ttf"));
    // The font stays Debian's: a link into fonts-liberation2, which the package depends on,
    // relative within /usr as Debian wants it.
    const Entry& font = files.at("/usr/share/quelvane/courier.ttf");
    EXPECT_EQ(font.perms[0], 'l');
    EXPECT_EQ(font.target, "../fonts/truetype/liberation2/LiberationMono-Regular.ttf");
}

// The checks a distribution runs on a package, each on the packaged file: a zero exit status and
// no line of the unwanted kinds in the stream the tool reports on.
struct DistributionCheck {
    const char* name;
    std::vector<std::string> (*argv)(const fs::path& deb, const fs::path& unpacked);
    bool reportsOnErrors;                // else on standard output
    std::vector<std::string> unwanted;   // line beginnings that fail the check
    std::string shown;                   // a text the output must hold, when not empty
};

const DistributionCheck distributionChecks[] = {
    {"Lintian",
     [](const fs::path& deb, const fs::path&) {
         return std::vector<std::string>{"/usr/bin/lintian", deb};
     },
     false, {"E: ", "W: "}, ""},
    {"AppStreamMetainfo",
     [](const fs::path&, const fs::path& unpacked) {
         return std::vector<std::string>{"/usr/bin/appstreamcli", "validate", "--no-net",
                                         unpacked / "usr/share/metainfo" / metainfoName};
     },
     false, {"E: ", "W: "}, "Validation was successful"},
    // man renders the page and prints groff's warnings on standard error: any line fails.
    {"ManualPage",
     [](const fs::path&, const fs::path& unpacked) {
         return std::vector<std::string>{"/usr/bin/man", "--warnings", "-l",
                                         unpacked / "usr/share/man/man1/quelvane.1.gz"};
     },
     true, {""}, "quelvane scale nogridx nogridy"},
};

void PrintTo(const DistributionCheck& check, std::ostream* out) {
    *out << check.name;
}

class DistributionChecks : public DebPackage,
                           public testing::WithParamInterface<DistributionCheck> {};

TEST_P(DistributionChecks, PassWithoutErrorsOrWarnings) {
    const DistributionCheck& check = GetParam();
    e2e::TempDir unpacked;
    ASSERT_EQ(runCommand({dpkgDeb, "-x", deb(), unpacked.path()}).exitCode, 0);
    const auto r = runCommand(check.argv(deb(), unpacked.path()));
    EXPECT_EQ(r.exitCode, 0) << r.output << r.errors;
    for (const auto& line : lines(check.reportsOnErrors ? r.errors : r.output)) {
        for (const auto& unwanted : check.unwanted)
            EXPECT_FALSE(line.starts_with(unwanted)) << line;
    }
    EXPECT_NE(r.output.find(check.shown), std::string::npos) << r.output;
}

INSTANTIATE_TEST_SUITE_P(Package, DistributionChecks, testing::ValuesIn(distributionChecks),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DebPackage, UnpackedCommandFindsTheProgramAndItsDataFolder) {
    e2e::TempDir root;
    const auto r = runCommand({dpkgDeb, "-x", deb(), root.path()});
    ASSERT_EQ(r.exitCode, 0) << r.errors;
    const std::string launcher = package::fileText(root.path() / "usr/bin/quelvane");
    // The launcher names both folders relative to its own.
    for (const char* relative : {"../lib/quelvane/quelvane", "../share/quelvane"}) {
        EXPECT_NE(launcher.find(relative), std::string::npos) << launcher;
        EXPECT_TRUE(fs::exists(root.path() / "usr/bin" / relative)) << relative;
    }
}

}  // namespace
