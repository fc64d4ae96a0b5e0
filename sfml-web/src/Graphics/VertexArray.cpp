#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include "Graphics/Bounds.hpp"

namespace sf {

FloatRect VertexArray::getBounds() const {
    return priv::boundsOf(vertices);
}

void VertexArray::draw(RenderTarget& target, RenderStates states) const {
    if (!vertices.empty()) target.draw(vertices.data(), vertices.size(), primitiveType, states);
}

}  // namespace sf
