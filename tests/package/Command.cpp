#include "Command.hpp"

#include <fstream>
#include <sstream>

#include "ChildProcess.hpp"
#include "TempDir.hpp"

namespace package {

CommandResult runCommand(const std::vector<std::string>& argv, const std::filesystem::path& workDir,
                         std::chrono::seconds timeout) {
    e2e::TempDir capture;
    e2e::LaunchPlan plan;
    plan.argv = argv;
    plan.workDir = workDir;
    plan.stdoutPath = capture.path() / "stdout";
    plan.stderrPath = capture.path() / "stderr";
    e2e::ChildProcess process(plan);
    CommandResult result;
    result.exitCode = process.waitForExit(timeout);
    result.output = fileText(plan.stdoutPath);
    result.errors = fileText(plan.stderrPath);
    return result;
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

}  // namespace package
