#pragma once

#include <SFML/System/Time.hpp>
#include <chrono>

namespace sf {

// Measures the time since it was made or last restarted, on the steady clock (in the browser,
// performance.now()).
class Clock {
  public:
    Clock() : start(std::chrono::steady_clock::now()) {}
    Time getElapsedTime() const { return since(std::chrono::steady_clock::now()); }
    Time restart() {
        const auto now = std::chrono::steady_clock::now();
        const Time elapsed = since(now);
        start = now;
        return elapsed;
    }

  private:
    Time since(std::chrono::steady_clock::time_point now) const {
        return microseconds(
            std::chrono::duration_cast<std::chrono::microseconds>(now - start).count());
    }
    std::chrono::steady_clock::time_point start;
};

}  // namespace sf
