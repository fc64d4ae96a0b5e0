#include "ChildProcess.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace e2e {

namespace {

// Built before fork: between fork and exec the child may only make async-signal-safe calls.
std::vector<std::string> childEnvironment(const std::string& display) {
    std::vector<std::string> env;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (display.empty() || std::strncmp(*entry, "DISPLAY=", 8) != 0) {
            env.emplace_back(*entry);
        }
    }
    if (!display.empty()) {
        env.push_back("DISPLAY=" + display);
    }
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (auto& s : strings) {
        result.push_back(s.data());
    }
    result.push_back(nullptr);
    return result;
}

void redirect(const std::filesystem::path& path, int targetFd, int flags) {
    const char* name = path.empty() ? "/dev/null" : path.c_str();
    int fd = ::open(name, flags, 0644);
    if (fd < 0 || ::dup2(fd, targetFd) < 0) {
        _exit(126);
    }
    ::close(fd);
}

[[noreturn]] void execChild(const LaunchPlan& plan, char** argv, char** envp) {
    redirect({}, STDIN_FILENO, O_RDONLY);
    redirect(plan.stdoutPath, STDOUT_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
    redirect(plan.stderrPath, STDERR_FILENO, O_WRONLY | O_CREAT | O_TRUNC);
    if (plan.inheritedFd >= 0) {
        ::fcntl(plan.inheritedFd, F_SETFD, 0);
    }
    if (!plan.workDir.empty() && ::chdir(plan.workDir.c_str()) != 0) {
        _exit(126);
    }
    ::execve(argv[0], argv, envp);
    _exit(127);
}

int shellStyleCode(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

ChildProcess::ChildProcess(const LaunchPlan& plan) {
    auto args = plan.argv;
    auto env = childEnvironment(plan.display);
    auto argv = pointers(args);
    auto envp = pointers(env);
    pid_ = ::fork();
    if (pid_ < 0) {
        throw std::runtime_error("fork failed for " + plan.argv.at(0));
    }
    if (pid_ == 0) {
        execChild(plan, argv.data(), envp.data());
    }
}

ChildProcess::~ChildProcess() {
    kill();
}

void ChildProcess::reap(int options) {
    if (pid_ < 0 || exitCode_) {
        return;
    }
    int status = 0;
    if (::waitpid(pid_, &status, options) == pid_) {
        exitCode_ = shellStyleCode(status);
    }
}

bool ChildProcess::running() {
    reap(WNOHANG);
    return pid_ >= 0 && !exitCode_;
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (running()) {
        kill();
        return std::nullopt;
    }
    return exitCode_;
}

void ChildProcess::kill() {
    if (running()) {
        ::kill(pid_, SIGKILL);
        reap(0);
    }
}

}  // namespace e2e
