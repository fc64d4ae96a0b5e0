#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.hpp"
#include "TempDir.hpp"

namespace e2e {

// One run of the real quelvane binary. Its standard streams go to files rather than pipes, so a
// program that writes much while the test is busy elsewhere can never block on a full pipe.
// The program writes standard output through a buffer that is flushed when it exits; expect its
// text in full only after waitForExit.
class ProgramRun {
  public:
    ProgramRun(const std::vector<std::string>& args, const std::string& displayName,
               const std::filesystem::path& workDir);

    std::string output() const;  // standard output so far
    std::string errors() const;  // standard error so far
    bool running() { return process_.running(); }
    // Exit code, or empty when the program had to be killed at the timeout.
    std::optional<int> waitForExit(
        std::chrono::milliseconds timeout = std::chrono::milliseconds(10000));

  private:
    TempDir captureDir_;
    ChildProcess process_;
};

}  // namespace e2e
