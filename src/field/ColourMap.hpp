#pragma once

#include <SFML/Graphics/Color.hpp>

// Maps a normalised value (nominally 0 .. 1) to a colour.
using ColourMap = sf::Color (*)(double);

// Blue below 0.5, black at 0.5, red above; NaN gives opaque black.
sf::Color blueRedMap(double t);

// A node value v shown as map((v - low) / (high - low)).
inline sf::Color colourOf(double v, double low, double high, ColourMap map) {
    return map((v - low) / (high - low));
}
