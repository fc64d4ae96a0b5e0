#pragma once

#include <chrono>
#include <optional>

#include "Screenshot.hpp"
#include "WaitUntil.hpp"
#include "XConnection.hpp"

namespace e2e {

// Overlay texts are pure yellow. Their smoothed edges, blended over any layer colour, are either
// still clearly yellow or not counted; charge, potential, field arrows and the white brush
// outline never are.
inline bool isTextYellow(Rgb c) {
    return c.r > 128 && c.g > 128 && c.b < 64;
}

// Pixels of the area that differ between two pictures of the same window.
inline int differingPixels(const Screenshot& a, const Screenshot& b, Area area) {
    int n = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            if (a.contains(x, y) && b.contains(x, y) && !(a.pixel(x, y) == b.pixel(x, y))) ++n;
        }
    }
    return n;
}

struct ScreenWatch {
    bool met;
    Screenshot last;  // the picture that met the condition, or the last one looked at
};

// Takes pictures of the window until one meets the condition. The picture is kept either way,
// so a failing test can show what it saw.
template <typename Condition>
ScreenWatch watchScreen(const TopLevelWindow& window, Condition&& condition,
                        std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    std::optional<Screenshot> shot;
    const bool met = waitUntil(
        [&] {
            shot = window.screenshot();
            return condition(*shot);
        },
        timeout);
    return {met, std::move(*shot)};
}

}  // namespace e2e
