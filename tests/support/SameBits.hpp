#pragma once

#include <cstdint>
#include <cstring>

// A double's bits and back. std::memcpy rather than std::bit_cast, which emscripten 3.1's libc++
// does not have yet.
inline std::uint64_t doubleBits(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

inline double doubleFromBits(std::uint64_t bits) {
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// The same double to the bit: what every fast kernel owes its reference. Unlike ==, it tells
// +0 from -0 and matches a NaN with the same NaN.
inline bool sameBits(double a, double b) {
    return doubleBits(a) == doubleBits(b);
}
