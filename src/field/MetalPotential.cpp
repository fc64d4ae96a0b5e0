#include "field/MetalPotential.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

struct Magnitude {
    double value;
    const char* text;
};

constexpr std::array<Magnitude, topMetalLevel + 1> magnitudes{{
    {0.0, "0"},
    {0.001, "0.001"},
    {0.002, "0.002"},
    {0.005, "0.005"},
    {0.01, "0.01"},
    {0.02, "0.02"},
    {0.05, "0.05"},
    {0.1, "0.1"},
    {0.2, "0.2"},
    {0.5, "0.5"},
    {1.0, "1"},
}};

std::int8_t bounded(int level) {
    return static_cast<std::int8_t>(std::clamp(level, -int{topMetalLevel}, int{topMetalLevel}));
}

const Magnitude& magnitudeOf(std::int8_t level) {
    return magnitudes[static_cast<std::size_t>(std::abs(int{bounded(level)}))];
}

}  // namespace

std::int8_t raisedMetalLevel(std::int8_t level) {
    return bounded(level + 1);
}

std::int8_t loweredMetalLevel(std::int8_t level) {
    return bounded(level - 1);
}

double metalPotential(std::int8_t level) {
    const double m = magnitudeOf(level).value;
    return level < 0 ? -m : m;
}

std::string metalPotentialText(std::int8_t level) {
    return std::string(level < 0 ? "-" : "") + magnitudeOf(level).text;
}
