#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <algorithm>
#include <vector>

namespace sf::priv {

// The smallest rectangle holding every vertex's position: what vertex arrays and shapes report.
inline FloatRect boundsOf(const std::vector<Vertex>& vertices) {
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

}  // namespace sf::priv
