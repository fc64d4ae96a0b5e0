#include "VirtualDisplay.hpp"

#include <poll.h>
#include <unistd.h>

#include <stdexcept>

namespace e2e {

namespace {

class Pipe {
  public:
    Pipe() {
        if (::pipe(fds_) != 0) {
            throw std::runtime_error("pipe failed");
        }
    }
    ~Pipe() {
        closeWriteEnd();
        ::close(fds_[0]);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    int readEnd() const { return fds_[0]; }
    int writeEnd() const { return fds_[1]; }
    // The server holds its own copy; ours must go, or a server that dies early would never
    // give us end-of-file.
    void closeWriteEnd() {
        if (fds_[1] >= 0) {
            ::close(fds_[1]);
            fds_[1] = -1;
        }
    }

  private:
    int fds_[2] = {-1, -1};
};

std::string readLine(int fd, int timeoutMs) {
    std::string line;
    char c = 0;
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, timeoutMs) > 0 && ::read(fd, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    return line;
}

}  // namespace

VirtualDisplay::VirtualDisplay(ScreenSize screen) : screen_(screen) {
    Pipe ready;
    const std::string geometry =
        std::to_string(screen.width) + "x" + std::to_string(screen.height) + "x24";
    LaunchPlan plan;
    plan.argv = {"/usr/bin/Xvfb", "-displayfd", std::to_string(ready.writeEnd()),
                 "-screen",       "0",          geometry,
                 "-nolisten",     "tcp",        "-noreset"};
    plan.inheritedFd = ready.writeEnd();
    server_.emplace(plan);
    ready.closeWriteEnd();
    const std::string number = readLine(ready.readEnd(), 10000);
    if (number.empty()) {
        throw std::runtime_error("Xvfb did not report a display for screen " + geometry);
    }
    name_ = ":" + number;
}

}  // namespace e2e
