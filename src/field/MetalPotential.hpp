#pragma once

#include <cstdint>
#include <string>

// The potential the metal brush paints, as a step of the series
// -1, -0.5, -0.2, -0.1, ..., -0.001, 0, 0.001, 0.002, 0.005, ..., 0.5, 1:
// level 0 is grounded, level k > 0 the k-th magnitude of 1-2-5 from 0.001 and
// -k its negative.
inline constexpr std::int8_t topMetalLevel = 10;

std::int8_t raisedMetalLevel(std::int8_t level);
std::int8_t loweredMetalLevel(std::int8_t level);

// The potential of a level, an exact decimal literal; 0 is +0.0.
double metalPotential(std::int8_t level);
// The same as written: "0", "0.005", "-1".
std::string metalPotentialText(std::int8_t level);
