#pragma once

#include <SFML/Graphics/Drawable.hpp>
#include <SFML/Graphics/PrimitiveType.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Vertex.hpp>
#include <cstddef>
#include <vector>

namespace sf {

class VertexArray : public Drawable {
  public:
    VertexArray() = default;
    explicit VertexArray(PrimitiveType type, std::size_t vertexCount = 0)
        : vertices(vertexCount), primitiveType(type) {}

    std::size_t getVertexCount() const { return vertices.size(); }
    Vertex& operator[](std::size_t index) { return vertices[index]; }
    const Vertex& operator[](std::size_t index) const { return vertices[index]; }
    void clear() { vertices.clear(); }
    void resize(std::size_t vertexCount) { vertices.resize(vertexCount); }
    void append(const Vertex& vertex) { vertices.push_back(vertex); }
    void setPrimitiveType(PrimitiveType type) { primitiveType = type; }
    PrimitiveType getPrimitiveType() const { return primitiveType; }
    FloatRect getBounds() const;

  private:
    void draw(RenderTarget& target, RenderStates states) const override;

    std::vector<Vertex> vertices;
    PrimitiveType primitiveType = Points;
};

}  // namespace sf
