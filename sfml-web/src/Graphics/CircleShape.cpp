#include <SFML/Graphics/CircleShape.hpp>
#include <cmath>

namespace sf {

CircleShape::CircleShape(float radius, std::size_t pointCount)
    : radius(radius), pointCount(pointCount) {
    update();
}

void CircleShape::setRadius(float value) {
    radius = value;
    update();
}

void CircleShape::setPointCount(std::size_t count) {
    pointCount = count;
    update();
}

// Point k at the angle 2 pi k / n from the top, clockwise on the screen.
Vector2f CircleShape::getPoint(std::size_t index) const {
    constexpr float pi = 3.141592654f;
    const float angle =
        static_cast<float>(index) * 2.0f * pi / static_cast<float>(pointCount) - pi / 2.0f;
    const float x = std::cos(angle) * radius;
    const float y = std::sin(angle) * radius;
    return Vector2f(radius + x, radius + y);
}

}  // namespace sf
