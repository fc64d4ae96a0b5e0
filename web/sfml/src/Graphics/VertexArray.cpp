#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <algorithm>

namespace sf {

FloatRect VertexArray::getBounds() const {
    if (vertices.empty()) return FloatRect();
    float left = vertices[0].position.x;
    float top = vertices[0].position.y;
    float right = left;
    float bottom = top;
    for (const Vertex& v : vertices) {
        left = std::min(left, v.position.x);
        right = std::max(right, v.position.x);
        top = std::min(top, v.position.y);
        bottom = std::max(bottom, v.position.y);
    }
    return FloatRect(left, top, right - left, bottom - top);
}

void VertexArray::draw(RenderTarget& target, RenderStates states) const {
    if (!vertices.empty()) target.draw(vertices.data(), vertices.size(), primitiveType, states);
}

}  // namespace sf
