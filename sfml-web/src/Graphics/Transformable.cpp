#include <SFML/Graphics/Transformable.hpp>
#include <cmath>

namespace sf {

void Transformable::setPosition(float x, float y) {
    position = {x, y};
    transformStale = true;
}

void Transformable::setRotation(float angle) {
    rotation = std::fmod(angle, 360.0f);
    if (rotation < 0) rotation += 360.0f;
    transformStale = true;
}

void Transformable::setScale(float factorX, float factorY) {
    factors = {factorX, factorY};
    transformStale = true;
}

void Transformable::setOrigin(float x, float y) {
    origin = {x, y};
    transformStale = true;
}

// Scale and rotation about the origin, then the origin moved to the position, in one matrix
// whose translation is worked out directly (so an unrotated, unscaled shape moves by exactly
// position - origin).
const Transform& Transformable::getTransform() const {
    if (transformStale) {
        const float angle = -rotation * 3.141592654f / 180.0f;
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        const float sxc = factors.x * c;
        const float syc = factors.y * c;
        const float sxs = factors.x * s;
        const float sys = factors.y * s;
        const float tx = -origin.x * sxc - origin.y * sys + position.x;
        const float ty = origin.x * sxs - origin.y * syc + position.y;
        transform = Transform(sxc, sys, tx, -sxs, syc, ty, 0.0f, 0.0f, 1.0f);
        transformStale = false;
    }
    return transform;
}

}  // namespace sf
