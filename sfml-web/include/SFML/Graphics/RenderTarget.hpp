#pragma once

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <SFML/System/Vector2.hpp>
#include <cstddef>
#include <vector>

namespace sf {

// Draws into the canvas through WebGL with SFML's default view: one unit is one pixel, from the
// top-left corner.
class RenderTarget {
  public:
    virtual ~RenderTarget() = default;

    void clear(const Color& color = Color(0, 0, 0, 255));
    void draw(const Drawable& drawable, const RenderStates& states = RenderStates::Default);
    void draw(const Vertex* vertices, std::size_t vertexCount, PrimitiveType type,
              const RenderStates& states = RenderStates::Default);
    virtual Vector2u getSize() const = 0;

  protected:
    // Whether drawing goes anywhere: there is a WebGL context.
    virtual bool activate() = 0;

  private:
    std::vector<Vertex> scratch;
};

}  // namespace sf
