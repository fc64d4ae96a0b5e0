#pragma once

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ProgramRun.hpp"
#include "UserInput.hpp"
#include "VirtualDisplay.hpp"
#include "XConnection.hpp"

namespace e2e {

inline const std::string windowTitle = "Quelvane " QUELVANE_VERSION;

// The build folder: it holds courier.ttf, so a program started there finds its font.
// QUELVANE_E2E_WORKDIR names another folder with the font, for a program started by
// QUELVANE_E2E_PROGRAM.
inline std::filesystem::path buildDir() {
    const char* const workDir = std::getenv("QUELVANE_E2E_WORKDIR");
    return workDir != nullptr && *workDir != '\0' ? workDir : QUELVANE_BUILD_DIR;
}

// One program on a screen of its own. The members are declared so that they are destroyed in
// the safe order: the program first, then the test's X connection, then the X server.
class QuelvaneSession {
  public:
    QuelvaneSession(ScreenSize screen, const std::vector<std::string>& args,
                    const std::filesystem::path& workDir = buildDir());

    // The program's window once it is mapped; throws if it does not appear in time or the
    // program ends first.
    TopLevelWindow waitForWindow(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    UserInput input(const TopLevelWindow& window) const { return {display.name(), window.id()}; }

    VirtualDisplay display;
    XConnection x;
    ProgramRun program;
};

}  // namespace e2e
