#pragma once

#include <chrono>
#include <cstdlib>
#include <thread>

namespace e2e {

// QUELVANE_E2E_TIME_SCALE, a whole number (1 when unset), multiplies the time the harness gives
// the program for anything: a program behind an emulator needs many times longer for a frame,
// while the program on the build machine keeps the waits that find a hang soon.
inline int timeScale() {
    const char* const scale = std::getenv("QUELVANE_E2E_TIME_SCALE");
    const int factor = scale != nullptr ? std::atoi(scale) : 1;
    return factor > 1 ? factor : 1;
}

// Polls instead of sleeping a fixed time: the program under test draws as fast as it can, so a
// condition is usually met within a frame or two, and a slow machine only makes the wait longer,
// never the test wrong. False when the condition still fails at the deadline.
template <typename Condition>
bool waitUntil(Condition&& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout * timeScale();
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace e2e
