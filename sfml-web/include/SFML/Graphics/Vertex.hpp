#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/System/Vector2.hpp>

namespace sf {

// A point with a colour and texture coordinates in the texture's pixels.
class Vertex {
  public:
    Vector2f position;
    Color color{255, 255, 255, 255};
    Vector2f texCoords;

    Vertex() = default;
    Vertex(const Vector2f& position) : position(position) {}
    Vertex(const Vector2f& position, const Color& color) : position(position), color(color) {}
    Vertex(const Vector2f& position, const Vector2f& texCoords)
        : position(position), texCoords(texCoords) {}
    Vertex(const Vector2f& position, const Color& color, const Vector2f& texCoords)
        : position(position), color(color), texCoords(texCoords) {}
};

}  // namespace sf
