#pragma once

#include <SFML/Graphics/BlendMode.hpp>
#include <SFML/Graphics/Transform.hpp>

namespace sf {

class Texture;

class RenderStates {
  public:
    BlendMode blendMode = BlendAlpha;
    Transform transform;
    const Texture* texture = nullptr;

    RenderStates() = default;
    RenderStates(const BlendMode& mode) : blendMode(mode) {}
    RenderStates(const Transform& transform) : transform(transform) {}
    RenderStates(const Texture* texture) : texture(texture) {}

    static const RenderStates Default;
};

inline const RenderStates RenderStates::Default{};

}  // namespace sf
