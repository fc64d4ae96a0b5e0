#pragma once

#include <cstdint>

// The sweep count after one frame-rate measurement: one less below 60 frames
// per second, one more above, never below 1, unchanged at exactly 60.
std::int32_t adaptSweeps(std::int32_t sweeps, std::int32_t fps);
