#include "Command.hpp"

#include <fstream>
#include <sstream>

#include "ChildProcess.hpp"
#include "TempDir.hpp"

namespace package {

CommandResult runCommand(const std::vector<std::string>& argv, const std::filesystem::path& workDir,
                         std::chrono::seconds timeout) {
    e2e::TempDir capture;
    e2e::SpawnSpec spec;
    spec.argv = argv;
    spec.workDir = workDir;
    spec.stdoutPath = capture.path() / "stdout";
    spec.stderrPath = capture.path() / "stderr";
    e2e::ChildProcess process(spec);
    CommandResult result;
    result.exitCode = process.waitForExit(timeout);
    result.output = fileText(spec.stdoutPath);
    result.errors = fileText(spec.stderrPath);
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
