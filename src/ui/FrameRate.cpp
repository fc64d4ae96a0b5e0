#include "ui/FrameRate.hpp"

#include <limits>

std::int32_t adaptSweeps(std::int32_t sweeps, std::int32_t fps) {
    constexpr std::int32_t target = 60;
    if (fps < target) sweeps -= 1;
    if (sweeps < 1) sweeps = 1;
    if (fps > target && sweeps < std::numeric_limits<std::int32_t>::max()) sweeps += 1;
    return sweeps;
}
