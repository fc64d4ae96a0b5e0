#include "QuelvaneSession.hpp"

#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "WaitUntil.hpp"

namespace e2e {

namespace {

// QUELVANE_E2E_GIVE_FOCUS=1: the harness gives the window the focus once it is mapped, as a
// window manager would. Wine's windows wait for that; the Linux program's window library takes
// the focus itself, and the tests check that it does, so the harness does not give it there.
bool harnessGivesFocus() {
    const char* const give = std::getenv("QUELVANE_E2E_GIVE_FOCUS");
    return give != nullptr && std::string_view(give) == "1";
}

}  // namespace

QuelvaneSession::QuelvaneSession(ScreenSize screen, const std::vector<std::string>& args,
                                 const std::filesystem::path& workDir)
    : display(screen), x(display.name()), program(args, display.name(), workDir) {}

TopLevelWindow QuelvaneSession::waitForWindow(std::chrono::milliseconds timeout) {
    std::optional<WindowId> found;
    waitUntil(
        [&] {
            found = x.findViewable(windowTitle);
            return found.has_value() || !program.running();
        },
        timeout);
    if (!found) {
        throw std::runtime_error("no window \"" + windowTitle + "\" appeared" +
                                 (program.running() ? "" : "; the program ended") + "\nstdout:\n" +
                                 program.output() + "\nstderr:\n" + program.errors());
    }
    if (harnessGivesFocus()) x.setFocus(*found);
    return {x, *found};
}

}  // namespace e2e
