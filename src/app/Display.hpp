#pragma once

#include <SFML/System/Vector2.hpp>
#include <cstdint>

// The display scale in pixels per node: the requested one, or the largest
// that fits the grid on the desktop less 105 pixels of height (at least 1,
// at most 255).
std::uint8_t decideScale(std::int32_t requested, sf::Vector2u desktop, std::uint32_t nx,
                         std::uint32_t ny);

// Top-left corner that centres a window of this size horizontally on the
// desktop and vertically in the desktop height less 105 pixels.
sf::Vector2i windowPlacement(sf::Vector2u desktop, sf::Vector2u window);
