#include "ProgramRun.hpp"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>

#include "WaitUntil.hpp"

namespace e2e {

namespace {

// QUELVANE_E2E_PROGRAM, when set, is the command that starts the program under test, split at
// blanks: an installed or cross-built program behind its emulator, say.
std::vector<std::string> programCommand() {
    const char* const command = std::getenv("QUELVANE_E2E_PROGRAM");
    if (command == nullptr || *command == '\0') return {QUELVANE_BINARY};
    std::vector<std::string> words;
    std::istringstream in(command);
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

LaunchPlan quelvaneSpec(const std::vector<std::string>& args, const std::string& displayName,
                        const std::filesystem::path& workDir,
                        const std::filesystem::path& capture) {
    LaunchPlan plan;
    plan.argv = programCommand();
    plan.argv.insert(plan.argv.end(), args.begin(), args.end());
    plan.display = displayName;
    plan.workDir = workDir;
    plan.stdoutPath = capture / "stdout";
    plan.stderrPath = capture / "stderr";
    return plan;
}

// A Windows program writes its text streams with CRLF line ends; with QUELVANE_E2E_CRLF=1 the
// tests read them as Unix ones. A Linux program's output is read byte for byte.
std::string withUnixLineEnds(const std::string& text) {
    const char* const crlf = std::getenv("QUELVANE_E2E_CRLF");
    if (crlf == nullptr || std::string_view(crlf) != "1") return text;
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n') result += text[i];
    }
    return result;
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return withUnixLineEnds(text.str());
}

}  // namespace

ProgramRun::ProgramRun(const std::vector<std::string>& args, const std::string& displayName,
                       const std::filesystem::path& workDir)
    : process_(quelvaneSpec(args, displayName, workDir, captureDir_.path())) {}

std::string ProgramRun::output() const {
    return fileText(captureDir_.path() / "stdout");
}

std::string ProgramRun::errors() const {
    return fileText(captureDir_.path() / "stderr");
}

std::optional<int> ProgramRun::waitForExit(std::chrono::milliseconds timeout) {
    return process_.waitForExit(timeout * timeScale());
}

}  // namespace e2e
