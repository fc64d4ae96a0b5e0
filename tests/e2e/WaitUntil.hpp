#pragma once

#include <chrono>
#include <thread>

namespace e2e {

// Polls instead of sleeping a fixed time: the program under test draws as fast as it can, so a
// condition is usually met within a frame or two, and a slow machine only makes the wait longer,
// never the test wrong. False when the condition still fails at the deadline.
template <typename Condition>
bool waitUntil(Condition&& condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace e2e
