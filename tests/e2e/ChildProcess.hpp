#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// What to start and where its output goes. Empty paths mean: inherit the working directory,
// discard the stream.
struct LaunchPlan {
    std::vector<std::string> argv;
    std::string display;  // DISPLAY of the child; empty keeps the test's own environment
    std::filesystem::path workDir;
    std::filesystem::path stdoutPath;
    std::filesystem::path stderrPath;
    int inheritedFd = -1;  // one descriptor the child keeps open across exec
};

// A started process that is killed and reaped at the latest when this object goes, so a failing
// test never leaves a program or an X server behind.
class ChildProcess {
  public:
    explicit ChildProcess(const LaunchPlan& plan);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool running();
    // The exit code, or 128 + signal number for a process ended by a signal, as shells report
    // it. Empty when the process has not ended within the timeout; it is then killed.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    void kill();

  private:
    void reap(int options);

    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

}  // namespace e2e
