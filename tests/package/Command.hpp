#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace package {

struct CommandResult {
    std::optional<int> exitCode;  // empty when the command had to be killed at the timeout
    std::string output;
    std::string errors;
};

// Runs a command (argv[0] an absolute path) to its end and returns what it printed.
CommandResult runCommand(const std::vector<std::string>& argv,
                         const std::filesystem::path& workDir = {},
                         std::chrono::seconds timeout = std::chrono::seconds(120));

std::string fileText(const std::filesystem::path& path);

// The lines of a text, without their line ends.
std::vector<std::string> lines(const std::string& text);

}  // namespace package
