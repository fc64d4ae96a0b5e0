#pragma once

#include <bit>
#include <cstdint>

// The same double to the bit: what every fast kernel owes its reference. Unlike ==, it tells
// +0 from -0 and matches a NaN with the same NaN.
inline bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}
