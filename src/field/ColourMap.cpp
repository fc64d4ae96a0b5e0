#include "field/ColourMap.hpp"

#include <cstdint>

namespace {

// A channel is the product truncated toward zero. Inside 0 .. 1 the products
// stay within 0 .. 255; beyond (which the symmetric range and the clamped
// charge never produce) the channel saturates instead of wrapping, and an
// infinite product cannot reach an undefined conversion.
std::uint8_t channel(double product) {
    if (product >= 255.0) return 255;
    if (product > 0.0) return static_cast<std::uint8_t>(product);
    return 0;
}

}  // namespace

sf::Color blueRedMap(double t) {
    const double blue = t < 0.5 ? (1.0 - (t + t)) * 255.0 : 0.0;
    const double red = t > 0.5 ? (t - 0.5) * 510.0 : 0.0;
    return sf::Color(channel(red), 0, channel(blue), 255);
}
