#pragma once

#include <SFML/Graphics/Color.hpp>
#include <cstdint>
#include <string>

struct OverlayStyle {
    std::string fontFile;
    std::uint16_t characterSize;
    sf::Color colour;
};
