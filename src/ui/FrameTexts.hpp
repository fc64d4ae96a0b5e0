#pragma once

#include <SFML/System/Vector2.hpp>
#include <cstdint>
#include <string>

// The layer title: the shown layer, and the field overlay when it is on.
std::string layerTitle(bool showCharges, bool showField, bool equalLength);

// The grid node under the pointer, in node indices from the top-left corner.
std::string cursorReadout(sf::Vector2i mouse, std::uint8_t scale);
