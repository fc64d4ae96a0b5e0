#pragma once

#include <SFML/Graphics/Rect.hpp>

namespace sf {

// One character's image: the pen moves by advance; bounds place the image relative to the pen
// on the baseline; textureRect is where it lies in the font's texture.
class Glyph {
  public:
    float advance = 0.0f;
    FloatRect bounds;
    IntRect textureRect;
};

}  // namespace sf
