#include <SFML/Graphics/RenderTarget.hpp>

#include "Graphics/Gl.hpp"

namespace sf {

void RenderTarget::clear(const Color& color) {
    if (!activate()) return;
    priv::glClear(color.r / 255.0f, color.g / 255.0f, color.b / 255.0f, color.a / 255.0f,
                  getSize());
}

void RenderTarget::draw(const Drawable& drawable, const RenderStates& states) {
    drawable.draw(*this, states);
}

void RenderTarget::draw(const Vertex* vertices, std::size_t vertexCount, PrimitiveType type,
                        const RenderStates& states) {
    if (!vertices || vertexCount == 0 || !activate()) return;
    // A few vertices (a sprite's four) are moved by the transform here and drawn with none, as
    // SFML does, so that they land where its drawing puts them; longer arrays go to the GPU with
    // their transform.
    constexpr std::size_t fewVertices = 4;
    if (vertexCount <= fewVertices) {
        scratch.assign(vertices, vertices + vertexCount);
        for (Vertex& v : scratch)
            v.position = states.transform.transformPoint(v.position);
        priv::glDraw(scratch.data(), vertexCount, type, Transform::Identity, states.texture,
                     getSize());
    } else {
        priv::glDraw(vertices, vertexCount, type, states.transform, states.texture, getSize());
    }
}

}  // namespace sf
