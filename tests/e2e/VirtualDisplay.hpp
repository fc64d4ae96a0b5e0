#pragma once

#include <optional>
#include <string>

#include "ChildProcess.hpp"

namespace e2e {

struct ScreenSize {
    int width;
    int height;
};

// An Xvfb server of the test's own. Xvfb chooses a free display number itself (-displayfd) and
// reports it only once it accepts connections, so tests running in parallel never share or race
// for a display, and no sleep is needed before the first client connects.
class VirtualDisplay {
  public:
    explicit VirtualDisplay(ScreenSize screen);
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    const std::string& name() const { return name_; }  // for DISPLAY, e.g. ":3"
    ScreenSize screen() const { return screen_; }

  private:
    ScreenSize screen_;
    std::optional<ChildProcess> server_;
    std::string name_;
};

}  // namespace e2e
