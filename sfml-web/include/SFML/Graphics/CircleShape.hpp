#pragma once

#include <SFML/Graphics/Shape.hpp>

namespace sf {

// A regular polygon of pointCount points on a circle of the radius, whose bounding box's top left
// is the origin; the first point is at the top.
class CircleShape : public Shape {
  public:
    explicit CircleShape(float radius = 0.0f, std::size_t pointCount = 30);

    void setRadius(float radius);
    float getRadius() const { return radius; }
    void setPointCount(std::size_t count);
    std::size_t getPointCount() const override { return pointCount; }
    Vector2f getPoint(std::size_t index) const override;

  private:
    float radius;
    std::size_t pointCount;
};

}  // namespace sf
