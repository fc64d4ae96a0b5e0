#include "UserInput.hpp"

#include <chrono>
#include <stdexcept>

#include "ChildProcess.hpp"

namespace e2e {

namespace {

std::string buttonNumber(MouseButton button) {
    return std::to_string(static_cast<int>(button));
}

}  // namespace

UserInput::UserInput(std::string displayName, WindowId window)
    : displayName_(std::move(displayName)), window_(std::to_string(window)) {}

void UserInput::run(std::vector<std::string> args) {
    args.insert(args.begin(), "/usr/bin/xdotool");
    LaunchPlan plan;
    plan.argv = args;
    plan.display = displayName_;
    ChildProcess xdotool(plan);
    const auto code = xdotool.waitForExit(std::chrono::seconds(5));
    if (code != 0) {
        std::string command;
        for (const auto& a : args) {
            command += " " + a;
        }
        throw std::runtime_error("xdotool failed:" + command);
    }
}

void UserInput::moveTo(int x, int y) {
    run({"mousemove", "--sync", "--window", window_, std::to_string(x), std::to_string(y)});
}

void UserInput::moveToScreen(int x, int y) {
    run({"mousemove", "--sync", std::to_string(x), std::to_string(y)});
}

void UserInput::press(MouseButton button) {
    run({"mousedown", buttonNumber(button)});
}

void UserInput::release(MouseButton button) {
    run({"mouseup", buttonNumber(button)});
}

void UserInput::click(MouseButton button) {
    run({"click", buttonNumber(button)});
}

// xdotool waits 100 ms between repeated clicks unless told otherwise.
void UserInput::wheelUp(int clicks) {
    run({"click", "--repeat", std::to_string(clicks), "--delay", "10",
         buttonNumber(MouseButton::WheelUp)});
}

void UserInput::wheelDown(int clicks) {
    run({"click", "--repeat", std::to_string(clicks), "--delay", "10",
         buttonNumber(MouseButton::WheelDown)});
}

void UserInput::key(const std::string& keysym) {
    run({"key", keysym});
}

void UserInput::keyDown(const std::string& keysym) {
    run({"keydown", keysym});
}

void UserInput::keyUp(const std::string& keysym) {
    run({"keyup", keysym});
}

}  // namespace e2e
