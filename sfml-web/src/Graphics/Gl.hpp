#pragma once

// The page's one WebGL context and the one program that draws every vertex array with it.

#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/Transform.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstddef>

namespace sf {
class Texture;
}

namespace sf::priv {

// Makes the WebGL context on the canvas at the first need (a texture before the window, as SFML
// makes a context of its own) and makes it current; false where none can be had (no canvas, as
// under node, or no WebGL).
bool glReady();

// Draws the vertices (positions in the target's pixels after the model transform, texture
// coordinates in the texture's pixels, colours multiplied with the texture's) into a target of
// the given size with SFML's default view and alpha blending. Quads are drawn as two triangles
// each.
void glDraw(const Vertex* vertices, std::size_t count, PrimitiveType type, const Transform& model,
            const Texture* texture, Vector2u targetSize);

// Clears the whole target to the colour.
void glClear(float r, float g, float b, float a, Vector2u targetSize);

}  // namespace sf::priv
