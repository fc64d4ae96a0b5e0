#pragma once

#include <SFML/Graphics/RenderStates.hpp>

namespace sf {

class RenderTarget;

class Drawable {
  public:
    virtual ~Drawable() = default;

  protected:
    friend class RenderTarget;
    virtual void draw(RenderTarget& target, RenderStates states) const = 0;
};

}  // namespace sf
