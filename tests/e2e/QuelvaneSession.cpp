#include "QuelvaneSession.hpp"

#include <optional>
#include <stdexcept>

#include "WaitUntil.hpp"

namespace e2e {

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
    return {x, *found};
}

}  // namespace e2e
